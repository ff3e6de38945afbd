// A long random session: gestures, keys, menu codes, undo, redo and garbage
// collection, with the integrity check after every pass (editor_pass asserts
// it in tests). CUPROLAY_SOAK_PASSES sets the length (100000 for the full soak).
#include <cstdlib>
#include <random>
#include <stdexcept>

#include "screen_fixture.h"
#include "shell/codes.h"
#include "shell/platform.h"

namespace {

struct SessionEnded {};
[[noreturn]] void end_session(int) { throw SessionEnded{}; }

// Random script text of about `events` events.
std::string random_script(std::mt19937& random, int events) {
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto point = [&] { return std::to_string(5 * pick(127)) + " " + std::to_string(5 * pick(81)); };
    static const char* const keys[] = {"u", "U", "^G", "m", "f", "R", "c", "space", "delete", "^A", "^V",
                                       "esc", "up", "down", "left", "right", "x", "v", "backspace", "^L"};
    static const char* const parts[] = {"npn", "pnp", "dil8", "sil3", "dil14", "nothing"};
    static const int menus[] = {KEY_GARBAGE_COLLECT, KEY_REDRAW, KEY_SELECT_ALL, KEY_DELETE_MENU, 'U', 'M'};
    std::string s;
    for (int i = 0; i < events; ++i) {
        switch (pick(9)) {
        case 0:
        case 1: s += "click " + point() + "\n"; break;
        case 2: {  // a straight drag: a wire, a move or a region
            const int x = 5 * pick(127), y = 5 * pick(81), d = 10 * (1 + pick(8));
            const bool across = pick(2) != 0;
            s += "move " + std::to_string(x) + " " + std::to_string(y) + "\ndown left\n";
            s += "move " + std::to_string(across ? x + d : x) + " " + std::to_string(across ? y : y + d) +
                 "\nup left\n";
            break;
        }
        case 3: s += "rclick " + point() + "\nanswer " + parts[pick(6)] + "\n"; break;
        case 4: s += "key t\nanswer T" + std::to_string(i) + "\nclick " + point() + "\n"; break;
        case 5: {
            const int code = menus[pick(6)];
            s += "menu " + std::to_string(code) + (code == KEY_GARBAGE_COLLECT ? "\nok\n" : "\n");
            break;
        }
        case 6: s += std::string("key ") + (pick(2) ? "u" : "U") + "\n"; break;
        default: {
            const char* key = keys[pick(20)];
            s += std::string("key ") + key + (std::string(key) == "^G" ? "\nok\n" : "\n");
            break;
        }
        }
    }
    return s;
}

}  // namespace

class SoakTest : public ScreenTest {};

TEST_F(SoakTest, RandomPassesKeepTheBoardWholeAndItsFileInOrder) {
    const char* wanted = std::getenv("CUPROLAY_SOAK_PASSES");
    const long passes_wanted = wanted ? std::atol(wanted) : 3000;
    PlatformBackend backend = *platform;
    backend.end_process = end_session;
    set_platform(&backend);
    // A modal loop still waiting when the script runs dry ends its session.
    close_request_handler = [] { throw SessionEnded{}; };
    std::mt19937 random(12);
    long passes = 0;
    while (passes < passes_wanted) {
        script(random_script(random, 200).c_str());
        try {
            while ((script_state.next < script_state.lines.size() || script_state.click_step != 0) &&
                   !editor_state.quit) {
                editor_pass();
                ++passes;
            }
        } catch (const SessionEnded&) {
        }
        editor_state.quit = false;
    }
    // Saving, loading and saving again: objects come back in reverse order,
    // cells and strips in the same order.
    const std::string first = [] {
        std::string t;
        board_file_text(&t);
        return t;
    }();
    deselect_all();
    clear_board();
    load(first);
    std::string second;
    board_file_text(&second);
    ASSERT_EQ(first.size(), second.size());
    auto lines = [](const std::string& text, const char* prefix_a, const char* prefix_b) {
        std::vector<std::string> out;
        size_t at = 0;
        while (at < text.size()) {
            const size_t end = text.find('\n', at);
            const std::string line = text.substr(at, end - at);
            if (line.rfind(prefix_a, 0) == 0 || line.rfind(prefix_b, 0) == 0) out.push_back(line);
            at = end + 1;
        }
        return out;
    };
    EXPECT_EQ(lines(first, "CUT", "BRIDGE"), lines(second, "CUT", "BRIDGE"));
    const std::vector<std::string> cells = lines(first, "STRIP", "STRIP");
    EXPECT_EQ(cells, lines(second, "STRIP", "STRIP"));
    // The object lines reversed: the second file's object lines read backwards.
    std::vector<std::string> objects, objects_again;
    for (const std::string* t : {&first, static_cast<const std::string*>(&second)}) {
        auto& out = t == &first ? objects : objects_again;
        size_t at = 0;
        while (at < t->size()) {
            const size_t end = t->find('\n', at);
            const std::string line = t->substr(at, end - at);
            if (line.rfind("VERSION", 0) != 0 && line.rfind("CUT", 0) != 0 && line.rfind("BRIDGE", 0) != 0 &&
                line.rfind("STRIP", 0) != 0)
                out.push_back(line);
            at = end + 1;
        }
    }
    std::printf("soak: %ld passes, %zu objects and %zu cell lines at the end, %d steps from the kept board\n",
                passes, objects.size(), cells.size(), journal.steps_taken_from_kept_board);
    // Each of those was also planned by walking the board: every edit the
    // session made before one was counted.
    EXPECT_EQ(journal.kept_board_mismatches, 0);
    ASSERT_EQ(objects.size(), objects_again.size());
    // Components and wires are each reversed within their own group.
    size_t components = 0;
    for (const ComponentRecord* c = board.component_list; c; c = c->next) ++components;
    std::vector<std::string> expect;
    expect.insert(expect.end(), objects.rbegin() + static_cast<long>(objects.size() - components), objects.rend());
    expect.insert(expect.end(), objects.rbegin(), objects.rbegin() + static_cast<long>(objects.size() - components));
    EXPECT_EQ(objects_again, expect);
}
