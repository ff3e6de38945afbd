// The page's program entry: the editor on the page backend, or in the
// test mode a scripted session exactly as --script runs it, shown in the
// canvas as it goes.
#include <emscripten.h>
#include <sys/stat.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include "board/draw.h"
#include "board/objects.h"
#include "core/arena.h"
#include "editor/editor_state.h"
#include "editor/journal.h"
#include "editor/state_reset.h"
#include "export/settings.h"
#include "graphics/canvas.h"
#include "graphics/font.h"
#include "shell/dialogs.h"
#include "shell/headless/headless.h"
#include "shell/headless/script.h"
#include "shell/input.h"
#include "shell/web/web_shell.h"

namespace {

EM_JS(void, js_test_done, (int status, double milliseconds), { CU.testDone(status, milliseconds); });

// The headless backend with the canvas as its screen.
PlatformBackend scripted_backend;
double session_start_ms = 0;

// The session's end, by Quit or when the script runs out: the page
// collects the transcript and the files.
void end_script_session(int status) {
    std::fflush(stdout);
    std::fflush(stderr);
    js_test_done(status, emscripten_get_now() - session_start_ms);
    emscripten_force_exit(status);
}

int run_script_session(const char* script_path, const char* board_path) {
    std::string error;
    if (!script_load(script_path, &error)) {
        std::fprintf(stderr, "cuprolay: %s\n", error.c_str());
        return 2;
    }
    reset_all_state();
    headless_install();
    headless_state.transcript = stdout;
    headless_state.messages_to_stderr = false;
    script_attach();
    scripted_backend = *platform;
    scripted_backend.present = web_present;
    scripted_backend.end_process = end_script_session;
    set_platform(&scripted_backend);
    session_start_ms = emscripten_get_now();
    editor_main_loop(board_path);
    end_script_session(0);
    return 0;
}

int run_editor(const char* board_path) {
    reset_all_state();
    web_install();
    editor_main_loop(board_path);
    // Quit: the page says that the program has ended rather than leave a
    // board that looks alive and takes no more events.
    platform->end_process(0);
    return 0;
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE int web_has_unsaved_work() {
    return web_shell.installed && !web_shell.ended && editor_state.modified ? 1 : 0;
}

// Tests: the heap refuses every request from the count-th on, as a full
// one would, so that the out-of-memory end can be seen in the page.
extern "C" EMSCRIPTEN_KEEPALIVE void web_refuse_heap_requests_from(int count) {
    temp_arena.refuse_at = temp_arena.requests + std::max(count, 1);
    temp_arena.refuse_count = INT64_MAX / 2;
}

int main(int argc, char** argv) {
    // Emscripten starts with a creation mask of 0777, which would give
    // every new file no permissions at all.
    umask(022);
    if (argc >= 3 && std::strcmp(argv[1], "--script") == 0)
        return run_script_session(argv[2], argc >= 4 ? argv[3] : "");
    return run_editor(argc >= 2 ? argv[1] : "");
}
