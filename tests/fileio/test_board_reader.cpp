// The file reader and line parser: every line form and message, older
// lines and aliases, and untrusted input that must never crash, read out
// of bounds or borrow text from an earlier line.
#include <random>
#include <string>
#include <vector>

#include "fileio_fixture.h"
#include "board/integrity.h"

namespace {

class BoardReaderTest : public BoardFileTest {
protected:
    // The line of the transcript that a message box wrote.
    static std::string message(const char* caption, const std::string& text, bool cancel = false) {
        return std::string("message \"") + caption + "\" \"" + text + "\" -> " + (cancel ? "cancel" : "ok") + "\n";
    }

    static bool grid_is_empty() {
        for (int r = 0; r < GRID_ROWS; ++r)
            for (int c = 0; c < GRID_COLUMNS; ++c)
                if (cell_get(r, c) != 0) return false;
        return true;
    }

    // Every hole holds exactly the leads of the objects on it.
    static void expect_solder_counts_balanced() {
        char problem[256];
        ASSERT_TRUE(board_integrity_check(problem, sizeof problem)) << problem;
    }
};

const std::string V = "VERSION 1.000 Cuprolay generated data\n";

TEST_F(BoardReaderTest, EveryLineFormLoads) {
    ASSERT_EQ(load_text(V + "NPN 0 20 20 * 105 95 Q1\n"
                            "TEXT * 40 30 Power\n"
                            "RES 0 10 10 10 20 \n"
                            "CUT 13 20\n"
                            "BRIDGE 8 17\n"
                            "STRIP 4 8 10\n"),
              0);
    EXPECT_EQ(transcript(), "");

    ASSERT_EQ(count_components(), 2);
    const ComponentRecord* text = board.component_list;
    const ComponentRecord* npn = text->next;
    EXPECT_STREQ(entry_name(npn->entry), "NPN");
    EXPECT_EQ(entry_variant(npn->entry), 0);
    EXPECT_EQ(npn->ax, 100);
    EXPECT_EQ(npn->ay, 100);
    EXPECT_STREQ(npn->desc.text, "Q1");
    EXPECT_EQ(npn->desc.width, 8);
    EXPECT_EQ(npn->desc.x, 105);
    EXPECT_EQ(npn->desc.y, 95);
    EXPECT_EQ(npn->box_x0, 98);
    EXPECT_EQ(npn->box_y1, 112);

    EXPECT_TRUE(entry_is_text(text->entry));
    EXPECT_STREQ(text->desc.text, "Power");
    EXPECT_EQ(text->ax, 40);  // a text stands where its text is
    EXPECT_EQ(text->ay, 30);
    EXPECT_EQ(text->desc.x, 40);
    EXPECT_EQ(text->desc.y, 30);
    EXPECT_EQ(text->box_x0, 40);
    EXPECT_EQ(text->box_y1, 32);

    ASSERT_EQ(count_wires(), 1);
    const WireRecord* res = board.wire_list;
    EXPECT_STREQ(entry_name(res->entry), "RES");
    EXPECT_EQ(res->x1, 50);
    EXPECT_EQ(res->y1, 50);
    EXPECT_EQ(res->x2, 50);
    EXPECT_EQ(res->y2, 100);
    EXPECT_EQ(res->desc.width, 0);

    EXPECT_EQ(cell_get(20, 13), 1);
    EXPECT_EQ(cell_get(17, 8), 1);
    expect_solder_counts_balanced();
    EXPECT_FALSE(redraw_state.redraw_deferred);
}

TEST_F(BoardReaderTest, LoadingAddsToWhatIsOnTheBoard) {
    add_component("SIL1", 0, 0, 0);
    ASSERT_EQ(load_text(V + "SIL1 0 2 0 \n"), 0);
    EXPECT_EQ(count_components(), 2);
    expect_solder_counts_balanced();
}

TEST_F(BoardReaderTest, CellLinesFollowTheColumnsParity) {
    ASSERT_EQ(load_text(V + "BRIDGE 3 4\n"   // odd column: a cut
                            "CUT 4 3\n"      // even column: a bridge
                            "CUT 5 5\n"      // between four holes: kept as written
                            "CUT 4 4\n"      // a hole: its count belongs to objects
                            "CUT 127 3\nBRIDGE 2 81\nCUT -1 3\nCUT\n"),  // off the grid, or no numbers (a hole)
              0);
    EXPECT_EQ(cell_get(4, 3), 1);
    EXPECT_EQ(cell_get(3, 4), 1);
    EXPECT_EQ(cell_get(5, 5), 1);
    EXPECT_EQ(cell_get(4, 4), 0);
    EXPECT_EQ(cell_get(0, 0), 0);
    EXPECT_EQ(save_text(), V + "BRIDGE 4 3\nCUT 3 4\nCUT 5 5\n");
}

TEST_F(BoardReaderTest, VersionWarnings) {
    const std::string earlier = message("Warning", "File was written with an earlier version of Cuprolay");
    const std::string newer = message("Warning", "File was written with a newer version of Cuprolay");
    EXPECT_EQ(load_text("SIL1 0 1 1 \n"), 0);  // no version line: 0.94
    EXPECT_EQ(load_text("VERSION 0.990 Cuprolay generated data\n"), 0);
    EXPECT_EQ(load_text("VERSION 1.004\n"), 0);  // close enough: no warning
    EXPECT_EQ(load_text("version 1.2 and anything after it\r\n"), 0);
    EXPECT_EQ(load_text("VERSION 1e999\n"), 0);  // overflows to infinity
    EXPECT_EQ(load_text("VERSION\nVERSION x\n"), 0);  // no number: still the default
    EXPECT_EQ(transcript(), earlier + earlier + newer + newer + earlier);
    EXPECT_EQ(count_components(), 1);
}

TEST_F(BoardReaderTest, UnknownElementStopsWhateverTheAnswer) {
    headless_answer_message(false);
    EXPECT_EQ(load_text(V + "SIL1 0 1 1 \nfoo 1 2 3\nSIL1 0 3 3 \n"), 1);
    headless_answer_message(true);
    EXPECT_EQ(load_text(V + "DIL9 0 1 1 \nSIL1 0 5 5 \n"), 1);
    EXPECT_EQ(transcript(), message("Error", "FOO is an unknown element in Cuprolay source") +
                                message("Error", "DIL9 is an unknown element in Cuprolay source", true));
    // What came before the line stays.
    EXPECT_EQ(count_components(), 1);
    EXPECT_FALSE(redraw_state.redraw_deferred);
    expect_solder_counts_balanced();
}

TEST_F(BoardReaderTest, MissingVariantsSkipOnOkAndStopOnCancel) {
    headless_answer_message(false);  // OK: skip the component line
    headless_answer_message(false);  // OK: skip the wire line
    EXPECT_EQ(load_text(V + "NPN 16 1 1 \nRES 2 1 1 1 3 \nSIL1 0 1 1 \n"), 0);
    EXPECT_EQ(count_components(), 1);
    EXPECT_EQ(count_wires(), 0);

    headless_answer_message(true);
    EXPECT_EQ(load_text(V + "SIP5 1 2 2 \nSIL1 0 3 3 \n"), 1);
    headless_answer_message(true);
    EXPECT_EQ(load_text(V + "XTAL 2 1 1 1 3 \nSIL1 0 3 3 \n"), 1);
    EXPECT_EQ(count_components(), 1);
    EXPECT_EQ(transcript(), message("Error", "Component NPN has no variant 16") +
                                message("Error", "Wire RES has no variant 2") +
                                message("Error", "Component SIP5 has no variant 1", true) +
                                message("Error", "Wire XTAL has no variant 2", true));
}

TEST_F(BoardReaderTest, OlderOneLetterWireLines) {
    struct Case {
        const char* letter;
        const char* name;
        int variant;
    } cases[] = {{"C", "CAP", 0},   {"E", "CAP", 1},   {"D", "DIODE", 0}, {"I", "DIODE", 1},
                 {"Z", "DIODE", 2}, {"S", "DIODE", 3}, {"L", "IND", 0},   {"R", "RES", 0},
                 {"W", "WIRE", 0},  {"X", "XTAL", 1}};
    for (const Case& c : cases) {
        board_reset();
        ASSERT_EQ(load_text(std::string(c.letter) + " 2 4 2 10\n"), 0) << c.letter;
        ASSERT_EQ(count_wires(), 1);
        const WireRecord* w = board.wire_list;
        EXPECT_STREQ(entry_name(w->entry), c.name) << c.letter;
        EXPECT_EQ(entry_variant(w->entry), c.variant) << c.letter;
        EXPECT_EQ(w->x1, 10);
        EXPECT_EQ(w->y1, 20);
        EXPECT_EQ(w->x2, 10);
        EXPECT_EQ(w->y2, 50);
    }

    // Descriptions without a position are placed by the wire rule with their width.
    board_reset();
    ASSERT_EQ(load_text("r 2 4 2 10 R1\nc 2 4 8 4 C12\nRES 1 2 4 8 4  two words\n"), 0);
    const WireRecord* res = board.wire_list;
    EXPECT_STREQ(res->desc.text, " two words");
    EXPECT_EQ(res->desc.x, 25 - 20);
    EXPECT_EQ(res->desc.y, 16);
    const WireRecord* cap = res->next;
    EXPECT_STREQ(cap->desc.text, "C12");
    EXPECT_EQ(cap->desc.x, 25 - 6);
    EXPECT_EQ(cap->desc.y, 16);
    const WireRecord* r = cap->next;
    EXPECT_STREQ(r->desc.text, "R1");
    EXPECT_EQ(r->desc.x, 14);
    EXPECT_EQ(r->desc.y, 37);

    // A component in the older form keeps the position creation gave it.
    ASSERT_EQ(load_text("NPN 0 20 20 Q1\n"), 0);
    EXPECT_STREQ(board.component_list->desc.text, "Q1");
    EXPECT_EQ(board.component_list->desc.x, 102);
    EXPECT_EQ(board.component_list->desc.y, 98);
}

TEST_F(BoardReaderTest, AliasesAndTypeNames) {
    ASSERT_EQ(load_text(V + "DIP14 1 10 10 \n"
                            "NPN_2 0 20 20 \n"
                            "SIP5 0 2 2 \n"
                            "dip24s 1 4 40 \n"
                            "XTAL 1 2 2 2 4 \n"
                            "WIRE 1 6 2 6 4 \n"),
              0);
    const ComponentRecord* c = board.component_list;
    EXPECT_STREQ(entry_name(c->entry), "DIL24");
    EXPECT_EQ(entry_variant(c->entry), 3);
    c = c->next;
    EXPECT_STREQ(entry_name(c->entry), "SIL5");
    EXPECT_EQ(c->ax, 10);
    c = c->next;
    EXPECT_STREQ(entry_name(c->entry), "NPN");
    EXPECT_EQ(entry_variant(c->entry), 4);
    EXPECT_EQ(c->ax, 100);
    EXPECT_EQ(c->ay, 90);  // the alias's shift
    c = c->next;
    EXPECT_STREQ(entry_name(c->entry), "DIL14");
    EXPECT_EQ(entry_variant(c->entry), 1);
    EXPECT_EQ(c->ax, 50);
    EXPECT_STREQ(entry_name(board.wire_list->entry), "XTAL");
    EXPECT_STREQ(entry_name(board.wire_list->next->entry), "XTAL");
    expect_solder_counts_balanced();
    // Stored under the rows' own names.
    const std::string objects = V + "DIL24 3 4 40 \nSIL5 0 2 2 \nNPN 4 20 18 \nDIL14 1 10 10 \n"
                                    "XTAL 1 6 2 6 4 \nXTAL 1 2 2 2 4 \nSTRIP";
    EXPECT_EQ(save_text().substr(0, objects.size()), objects);
}

TEST_F(BoardReaderTest, LineEndingsCaseAndEmptyLines) {
    ASSERT_EQ(load_text("VERSION 1.000 Cuprolay generated data\r\n"
                        "\r\n\n   \n\t\n"
                        "npn 0 20 20 * 105 95 Q1 \r\n"
                        "text * 40 30  lower case\r\n"
                        "TEXT \n"
                        "SIL1 0 1 1 * 3 4 last line, no line feed"),
              0);
    EXPECT_EQ(transcript(), "");
    ASSERT_EQ(count_components(), 4);
    const ComponentRecord* sil = board.component_list;
    EXPECT_STREQ(sil->desc.text, "last line, no line feed");
    const ComponentRecord* empty_text = sil->next;
    EXPECT_TRUE(entry_is_text(empty_text->entry));
    EXPECT_EQ(empty_text->desc.width, 0);
    EXPECT_EQ(empty_text->ax, 0);
    EXPECT_EQ(empty_text->ay, 0);
    const ComponentRecord* lower = empty_text->next;
    EXPECT_TRUE(entry_is_text(lower->entry));
    EXPECT_STREQ(lower->desc.text, " lower case");
    EXPECT_EQ(lower->ax, 40);
    const ComponentRecord* npn = lower->next;
    EXPECT_STREQ(entry_name(npn->entry), "NPN");
    EXPECT_STREQ(npn->desc.text, "Q1 ");  // the space kept, the carriage return dropped
    EXPECT_EQ(npn->desc.width, 12);
}

TEST_F(BoardReaderTest, LongLinesAreReadWhole) {
    const std::string description(100000, 'a');
    // The rest of a long line must not be read as a line of its own.
    const std::string file = V + "SIL1 0 1 1 * 3 4 " + description + "CUT 13 20\n" +
                             "TEXT * 5 6 " + std::string(300, 'b') + "\n" + "SIL1 0 2 2 \n";
    ASSERT_EQ(load_text(file), 0);
    EXPECT_EQ(transcript(), "");
    ASSERT_EQ(count_components(), 3);
    const ComponentRecord* first = board.component_list->next->next;
    EXPECT_EQ(std::string(first->desc.text), description + "CUT 13 20");
    EXPECT_EQ(std::string(board.component_list->next->desc.text), std::string(300, 'b'));
    EXPECT_EQ(cell_get(20, 13), 0);

    // A long unknown word: the message is cut to its box, the load stops.
    board_reset();
    EXPECT_EQ(load_text(std::string(20000, 'q') + "\nSIL1 0 1 1 \n"), 1);
    const std::string shown = transcript();
    EXPECT_NE(shown.find("QQQQ"), std::string::npos);
    EXPECT_LT(shown.size(), 400u);
    EXPECT_EQ(count_components(), 0);
}

TEST_F(BoardReaderTest, BinaryBytesAndNuls) {
    const std::string nul_line = std::string("SIL1 0 1 1 * 3 4 ab") + '\0' + "cd\nSIL1 0 2 2 \n";
    const std::string blank_with_nul = std::string(1, '\0') + "FOO\n";
    ASSERT_EQ(load_text(V + nul_line + blank_with_nul + "SIL1 0 3 3 * 1 2 \xff\x80\x01!\n"), 0);
    EXPECT_EQ(transcript(), "");
    ASSERT_EQ(count_components(), 3);
    EXPECT_STREQ(board.component_list->desc.text, "\xff\x80\x01!");
    EXPECT_STREQ(board.component_list->next->next->desc.text, "ab");

    EXPECT_EQ(load_text("\x01\x02\xfe\xff garbage\n"), 1);
    EXPECT_EQ(transcript(), message("Error", "\x01\x02\xfe\xff is an unknown element in Cuprolay source"));
}

TEST_F(BoardReaderTest, NumbersThatOverflowCountAsNotScanned) {
    ASSERT_EQ(load_text(V + "SIL1 0 99999999999999999999 20 * 1 2 Q\n"  // x not scanned: nothing after it either
                            "SIL2 0 100000 -100000 \n"                   // the largest accepted
                            "SIL3 0 100001 1 \n"
                            "RES 0 1 1 1 2147483648 \n"
                            "SIL4 0 4 4 * 2147483648 5 X\n"
                            "NPN_2 0 0 -100000 \n"  // the shift would take it past what a line holds
                            "SIL5 0 0 0 * 1000000 -1000000 edge\n"),
              0);
    EXPECT_EQ(transcript(), "");
    const ComponentRecord* sil5 = board.component_list;
    EXPECT_STREQ(sil5->desc.text, "edge");
    EXPECT_EQ(sil5->desc.x, 1000000);
    EXPECT_EQ(sil5->desc.y, -1000000);
    const ComponentRecord* sil4 = sil5->next;
    EXPECT_STREQ(sil4->desc.text, "");
    EXPECT_EQ(sil4->desc.width, 0);
    const ComponentRecord* sil3 = sil4->next;
    EXPECT_EQ(sil3->ax, 0);
    EXPECT_EQ(sil3->ay, 0);
    const ComponentRecord* sil2 = sil3->next;
    EXPECT_EQ(sil2->ax, 500000);
    EXPECT_EQ(sil2->ay, -500000);
    const ComponentRecord* sil1 = sil2->next;
    EXPECT_EQ(sil1->ax, 0);
    EXPECT_EQ(sil1->desc.width, 0);
    const WireRecord* res = board.wire_list;
    EXPECT_EQ(res->y1, 5);
    EXPECT_EQ(res->y2, 0);
    expect_solder_counts_balanced();
}

TEST_F(BoardReaderTest, FarOffCoordinatesKeepTheRecordsAndSpareTheGrid) {
    ASSERT_EQ(load_text(V + "DIL40 0 50000 50000 * 250000 250000 far\n"
                            "NPN 15 -3 -3 \n"  // pins at x -15 and -5: off the grid
                            "WIRE 0 -1000 -1000 -1000 -900 \n"
                            "TEXT * -99999 99999 gone\n"
                            "CUT 200 3\n"),
              0);
    EXPECT_EQ(count_components(), 3);
    EXPECT_EQ(count_wires(), 1);
    EXPECT_TRUE(grid_is_empty());
    // Written back as read.
    EXPECT_EQ(save_text(), V + "TEXT * -99999 99999 gone\nNPN 15 -3 -3 \nDIL40 0 50000 50000 * 250000 250000 far\n"
                               "WIRE 0 -1000 -1000 -1000 -900 \n");
}

TEST_F(BoardReaderTest, DescriptionSuffixWithoutText) {
    ASSERT_EQ(load_text(V + "SIL1 0 2 2 * 3 4 first\n"
                            "SIL1 0 4 4 * 3 4\n"
                            "SIL1 0 6 6 *\n"
                            "SIL1 0 8 8 * 7\n"
                            "TEXT * 8 9\n"),
              0);
    for (const ComponentRecord* c = board.component_list; c->next != nullptr; c = c->next) {
        EXPECT_EQ(c->desc.width, 0);
        EXPECT_STREQ(c->desc.text, "");
    }
    EXPECT_EQ(save_text(), V + "TEXT \nSIL1 0 8 8 \nSIL1 0 6 6 \nSIL1 0 4 4 \nSIL1 0 2 2 * 3 4 first\n");
}

TEST_F(BoardReaderTest, AllGarbageAndReadErrors) {
    std::string garbage;
    std::mt19937 random(7);
    garbage.push_back('#');  // surely no catalog word
    for (int i = 0; i < 20000; ++i) garbage.push_back(static_cast<char>(random()));
    EXPECT_EQ(load_text(garbage), 1);
    EXPECT_EQ(transcript().rfind("message \"Error\" \"#", 0), 0u);
    EXPECT_EQ(count_components() + count_wires(), 0);

    // A stream that cannot be read is a failed load, not an empty board.
#ifdef _WIN32
    GTEST_SKIP() << "the Windows C library reads a write-only stream as an empty one, not an error";
#endif
    const std::string directory = make_temp_directory("cuprolay_reader");
    FILE* write_only = std::fopen((directory + "/board.cpx").c_str(), "wb");
    ASSERT_NE(write_only, nullptr);
    EXPECT_EQ(load_board_file(write_only), 1);
    std::fclose(write_only);
    remove_tree(directory);
}

// Lines put together from real words, odd numbers and odd bytes: whatever
// they make, every hole's count matches the objects on it.
TEST_F(BoardReaderTest, MixedUpLinesKeepTheGridConsistent) {
    const char* words[] = {"NPN", "pnp", "DIL8", "DIL28", "SIL3", "SIP30", "NPN_3", "TEXT", "text", "RES",
                           "XTAL", "wire", "R", "x", "CUT", "BRIDGE", "STRIP", "VERSION", "DIODE"};
    const char* pieces[] = {" ", "  ", "*", " * ", "0", "1", "3", "15", "-2", "63", "126", "80",
                            "99999999999", "100000", "\r", "\t", "ab c", "\xff", "+7", "-"};
    std::mt19937 random(12345);
    for (int round = 0; round < 40; ++round) {
        std::string file;
        for (int line = 0; line < 60; ++line) {
            file += words[random() % std::size(words)];
            const int count = static_cast<int>(random() % 14);
            for (int i = 0; i < count; ++i) {
                file += ' ';
                file += pieces[random() % std::size(pieces)];
            }
            if (random() % 7 == 0) file.push_back('\0');
            file += '\n';
        }
        board_reset();
        load_text(file);
        expect_solder_counts_balanced();
        // Whatever was taken is written back in a form that reads the same.
        const std::string first = save_text();
        board_reset();
        ASSERT_EQ(load_text(first), 0) << first;
        const std::string second = save_text();
        board_reset();
        ASSERT_EQ(load_text(second), 0);
        EXPECT_EQ(save_text(), first);
    }
}

}  // namespace
