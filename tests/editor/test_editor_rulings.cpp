// Editor steps whose first form lost work or invited it: an undo right
// after a description nudge, and the name a print offers after a Save.
#include <string>
#include "fileio/board_file.h"
#include "screen_fixture.h"
#include "support/test_files.h"

namespace {

using EditorRulings = ScreenTest;

int description_x() { return board.component_list != nullptr ? board.component_list->desc.x : -1; }

}  // namespace

// U undoes exactly the nudge, the step before it stays; R brings it back.
TEST_F(EditorRulings, UndoRightAfterANudgeUndoesTheNudgeAlone) {
    run("rclick 100 100\nanswer npn\nkey t\nanswer Q1\nrclick 300 100\nanswer pnp\n");
    run("rclick 600 10\nanswer-cancel\nclick 100 100\n");
    ASSERT_NE(board.selected_component, nullptr);
    const int placed_x = board.selected_component->desc.x;
    for (const char* nudge : {"ctrl down\nkey ^F\nctrl up\n", "ctrl down\nkey ^F\nkey ^F\nctrl up\n"}) {
        run("click 100 100\n");
        run(nudge);
        run("key u\n");
        int components = 0;
        for (const ComponentRecord* c = board.component_list; c; c = c->next) ++components;
        EXPECT_EQ(components, 2) << nudge;  // the PNP placed before is still there
        const ComponentRecord* npn = board.component_list;
        while (npn && std::string(npn->desc.text) != "Q1") npn = npn->next;
        ASSERT_NE(npn, nullptr);
        EXPECT_EQ(npn->desc.x, placed_x) << nudge;
        run("key r\n");
        npn = board.component_list;
        while (npn && std::string(npn->desc.text) != "Q1") npn = npn->next;
        ASSERT_NE(npn, nullptr);
        EXPECT_GT(npn->desc.x, placed_x) << nudge;
        run("key u\n");
    }
    EXPECT_NE(description_x(), -1);
}

// After Save and Save as, the print offers the base name with the print's
// own extension, never the board file.
TEST_F(EditorRulings, PrintOffersTheBaseNameWithThePrintsExtension) {
    const std::string dir = make_temp_directory("cuprolay_rulings");
    const std::string board_path = dir + "/board.cpx";
    run("rclick 100 100\nanswer npn\nkey ^W\nfile " + board_path + "\nkey ^S\nok\n");
    ASSERT_TRUE(path_exists(board_path));
    for (const char* format : {"D", "P"}) {
        run(std::string("key p\nexport ") + format + " 1 1\nfile-cancel\n");
        const std::string offered = std::string("\"") + dir + "/board" + (format[0] == 'D' ? ".pdf" : ".ps") + "\"";
        EXPECT_NE(transcript().find(offered), std::string::npos) << transcript();
        EXPECT_EQ(transcript().find("\"" + board_path + "\" \".p"), std::string::npos) << transcript();
    }
    remove_tree(dir);
}
