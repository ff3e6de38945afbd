// Standard input, output and error as the same bytes on every system.
#include "app/commands.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include "shell/win32/win32_backend.h"
#endif

void prepare_standard_streams() {
#ifdef _WIN32
    // A window program started from a console has no streams of its own;
    // it takes the console's, so that --help and the transcripts show there.
    win32_attach_parent_console();
    // Text mode would write CR LF for every line feed and end a script
    // read from standard input at the first byte 0x1A.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}
