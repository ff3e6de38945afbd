// The node program's file creation mask, taken over from its host process.
#include <emscripten.h>
#include <sys/stat.h>

namespace {

// Emscripten starts every program with a mask of 0777, under which each new
// file would get no permissions at all; with the host's mask the files get
// the modes the Linux program gives them.
EM_JS(int, host_umask, (), { return process.umask(); });

const bool host_mask_taken = (umask(static_cast<mode_t>(host_umask())), true);

}  // namespace
