// The shared part of the fuzz targets: reset, streams, checks.
#include "support.h"

#include <cstdlib>

#include "board/integrity.h"
#include "board/objects.h"
#include "core/arena.h"
#include "editor/editor_state.h"
#include "editor/journal.h"
#include "export/settings.h"
#include "export/writers.h"
#include "fileio/board_file.h"
#include "graphics/palette.h"
#include "shell/dialogs.h"
#include "shell/headless/headless.h"
#include "shell/headless/script.h"
#include "shell/platform.h"
#include "support/board_builders.h"

namespace {

PlatformBackend backend;

[[noreturn]] void end_process(int status) { throw ProgramEnded{status}; }
void end_for_shortage(int status) { throw ProgramEnded{status}; }

}  // namespace

void fuzz_reset() {
    journal_reset();
    reset_everything();
    journal_reset();
    dialog_state_reset();
    export_settings_reset();
    export_state_reset();
    editor_state_reset();
    script_state_reset();
    headless_state.messages_to_stderr = false;
    backend = *platform;
    backend.end_process = end_process;
    set_platform(&backend);
    temp_arena.fatal_message = nullptr;
    temp_arena.terminate = end_for_shortage;
    display_scheme = &screen_scheme;
    board.plain_wire_type = lookup_plain_wire_type();
}

FILE* fuzz_stream(const uint8_t* data, size_t size) {
    FILE* stream = std::tmpfile();
    if (stream == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, stream) != size) std::abort();
    std::rewind(stream);
    return stream;
}

std::string fuzz_board_text() {
    std::string text;
    board_file_text(&text);
    return text;
}

void fuzz_check_board(const char* where) {
    char problem[256];
    if (board_integrity_check(problem, sizeof problem)) return;
    std::fprintf(stderr, "integrity check failed after %s: %s\n", where, problem);
    std::abort();
}
