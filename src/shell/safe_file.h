#pragma once
// The one writer of every file the program makes (boards, prints, Gerber
// layers): the earlier file stays whole unless the new one is complete.
#include <cstddef>

// The operations of a write that can fail, in the order a write does them.
enum SafeFileStep {
    SAFE_FILE_CREATE,  // the temporary file (or the in-place open)
    SAFE_FILE_WRITE,   // one chunk of the content
    SAFE_FILE_SYNC,
    SAFE_FILE_CLOSE,
    SAFE_FILE_RENAME,
};

struct SafeFileState {
    // Tests: the operation numbered fail_at (from 1, counted in
    // operations across writes) fails as a full disk would.
    long fail_at = 0;
    long operations = 0;
    SafeFileStep failed_step = SAFE_FILE_CREATE;
    // How the last write went about it: through a renamed temporary
    // file, or in place (devices, hard-linked files, no temporary possible).
    bool last_in_place = false;
};

extern SafeFileState safe_file_state;
void safe_file_state_reset();

// Writes size bytes to path, following symbolic links to the real file.
// A regular file with one link is replaced through a unique temporary
// file beside it that gets the file's mode (and owner where permitted);
// anything else is written in place from the complete content. Returns
// true only when the whole content reached the file; on false the earlier
// file is as it was (in place: as far as the write itself allowed) and no
// file the program created is left behind.
bool write_file_whole(const char* path, const void* data, size_t size);
