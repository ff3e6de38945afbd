// Fuzzes the script reader and, with what it accepts, the editor: every
// event, key, menu code and answer a script can give, checked after each pass.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/editor_state.h"
#include "support.h"
#include "shell/headless/script.h"
#include "shell/input.h"

namespace {

// Files the session writes stay in one scratch folder.
const std::string& scratch() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/cuprolay-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

// The window closes when the script runs dry: that ends the run.
void script_ran_dry() { throw ProgramEnded{0}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_reset();
    // Each input starts without the board an earlier input saved, so a
    // finding reproduces from its input alone.
    std::remove((scratch() + "/board.cpx").c_str());
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!script_parse(text, &script_state.lines, &error)) return 0;
    for (ScriptLine& line : script_state.lines) {
        if (line.op == ScriptOp::AnswerFile && !line.cancel) line.text = scratch() + "/board.cpx";
        if (line.op == ScriptOp::Screenshot) line.text = scratch() + "/shot.ppm";
    }
    script_attach();
    close_request_handler = script_ran_dry;
    try {
        for (int pass = 0; pass < 2000 && !editor_state.quit; ++pass) {
            editor_pass();
            fuzz_check_board("an editor pass");
        }
    } catch (const ProgramEnded&) {
        // The real program ends here, possibly inside a drag that holds a
        // record outside the lists; there is no board left to check.
        return 0;
    }
    fuzz_check_board("the session");
    return 0;
}
