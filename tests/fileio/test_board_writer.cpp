// The file writer: line order, deselection, cells and strips, round trips
// through the reader, and write failures that must not pass for success.
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "fileio_fixture.h"
#include "support/test_files.h"

namespace {

class BoardWriterTest : public BoardFileTest {
protected:
    void SetUp() override {
        BoardFileTest::SetUp();
        directory_ = std::filesystem::temp_directory_path() /
                     ("cuprolay_writer_" + std::to_string(current_process_id()) + "_" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(directory_);
        std::filesystem::create_directories(directory_);
    }
    void TearDown() override {
        std::filesystem::remove_all(directory_);
        BoardFileTest::TearDown();
    }

    static std::string file_text(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void write_file(const std::filesystem::path& path, const std::string& text) {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }

    std::filesystem::path directory_;
};

// A small board of every kind of line.
void small_board() {
    ComponentRecord* q = add_component("NPN", 0, 100, 100);
    set_description(q->desc, "Q1");
    q->desc.x = 105;
    q->desc.y = 95;
    add_component("DIL8", 0, 200, 100);
    add_text(40, 30, "Power in");
    add_wire("RES", 0, 50, 50, 50, 100);
    WireRecord* x = add_wire("XTAL", 1, 300, 50, 340, 50);
    set_description(x->desc, "4 MHz");
    add_cut(35, 50);
    add_bridge(60, 45);
}

TEST_F(BoardWriterTest, EmptyBoardIsTheVersionLineAlone) { EXPECT_EQ(save_text(), VERSION_LINE); }

TEST_F(BoardWriterTest, LinesComeInTheirOrder) {
    add_wire("WIRE", 0, 20, 50, 60, 50);  // solder points at (20, 50) and (60, 50)
    add_wire("WIRE", 0, 40, 50, 40, 80);
    add_cut(45, 50);
    add_bridge(40, 85);
    add_text(100, 200, "A");
    add_component("SIL1", 0, 0, 100);
    add_component("SIL1", 0, 10, 100);
    const std::string expected = std::string(VERSION_LINE) +
                                 "SIL1 0 2 20 \n"
                                 "SIL1 0 0 20 \n"
                                 "TEXT * 100 200 A\n"
                                 "WIRE 0 8 10 8 16 \n"
                                 "WIRE 0 4 10 12 10 \n"
                                 "CUT 9 10\n"
                                 "BRIDGE 8 17\n"
                                 // (20,50)-(40,50) joined; the cut at column 9 ends it.
                                 "STRIP 4 8 10\n"
                                 // Holes 0 and 2 of row 20: the hole at column 0 starts a strip.
                                 "STRIP 0 2 20\n";
    EXPECT_EQ(save_text(), expected);
}

TEST_F(BoardWriterTest, SelectedObjectsAreWrittenToo) {
    add_wire("RES", 1, 50, 50, 50, 100);
    add_component("PNP", 5, 200, 200);
    select_wire(take_wire_at(50, 50), 50, 50);
    select_component(take_component_at(210, 200), 210, 200);
    ASSERT_NE(board.selected_wire, nullptr);
    ASSERT_NE(board.selected_component, nullptr);
    EXPECT_EQ(save_text(), std::string(VERSION_LINE) + "PNP 5 40 40 \nRES 1 10 10 10 20 \n");
    EXPECT_EQ(board.selected_wire, nullptr);
    EXPECT_EQ(board.selected_component, nullptr);
}

TEST_F(BoardWriterTest, RoundTripsReverseObjectLinesAndRestoreThemTheSecondTime) {
    small_board();
    const std::string first = save_text();

    board_reset();
    ASSERT_EQ(load_text(first), 0);
    const std::string second = save_text();
    EXPECT_NE(second, first);

    // Same lines; the component and the wire lines each in reverse order.
    std::vector<std::string> lines1, lines2;
    std::istringstream in1(first), in2(second);
    for (std::string l; std::getline(in1, l);) lines1.push_back(l);
    for (std::string l; std::getline(in2, l);) lines2.push_back(l);
    ASSERT_EQ(lines1.size(), lines2.size());
    // version, 3 components, 2 wires, then cells and strips unchanged
    EXPECT_EQ(lines2[0], lines1[0]);
    EXPECT_EQ(lines2[1], lines1[3]);
    EXPECT_EQ(lines2[2], lines1[2]);
    EXPECT_EQ(lines2[3], lines1[1]);
    EXPECT_EQ(lines2[4], lines1[5]);
    EXPECT_EQ(lines2[5], lines1[4]);
    EXPECT_EQ(std::vector<std::string>(lines2.begin() + 6, lines2.end()),
              std::vector<std::string>(lines1.begin() + 6, lines1.end()));

    board_reset();
    ASSERT_EQ(load_text(second), 0);
    EXPECT_EQ(save_text(), first);
}

TEST_F(BoardWriterTest, LongDescriptionsSurviveSaveAndLoad) {
    const std::string longest(255, 'd');
    ComponentRecord* c = add_component("DIL28", 3, 100, 100);
    set_description(c->desc, longest.c_str());
    // Longer than the line buffer: what a file may hold is written back whole.
    const std::string huge = std::string(5000, 'x') + " end";
    add_text(20, 380, huge.c_str());

    const std::filesystem::path path = directory_ / "long.cpx";
    ASSERT_TRUE(save_board_to_path(path.string().c_str()));
    board_reset();
    FILE* f = std::fopen(path.string().c_str(), "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(load_board_file(f), 0);
    std::fclose(f);

    ASSERT_EQ(count_components(), 2);
    // Read back in reverse: the text was written first.
    const ComponentRecord* dil = board.component_list;
    const ComponentRecord* text = board.component_list->next;
    EXPECT_EQ(std::string(dil->desc.text), longest);
    EXPECT_EQ(dil->desc.width, 4 * 255);
    EXPECT_EQ(std::string(text->desc.text), huge);
    EXPECT_EQ(text->ax, 20);
    EXPECT_EQ(text->ay, 380);
    EXPECT_EQ(transcript(), "");
}

int count_occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Lines of every length, many longer than the writer's first guess and
// some than its line buffer: the text grows as it goes and keeps no byte
// of its spare room.
TEST_F(BoardWriterTest, BoardsOfLongLinesComeBackWhole) {
    std::mt19937 random(5);
    for (int round = 0; round < 3; ++round) {
        board_reset();
        const int records = round == 2 ? 40 : 100 + 50 * round;
        for (int i = 0; i < records; ++i) {
            const std::string text(1 + random() % (round == 2 ? 1500 : 200), static_cast<char>('a' + i % 26));
            if (i % 2 != 0) {
                set_description(add_component("NPN", 0, 20 + 10 * (i % 50), 20 + 10 * (i / 50))->desc, text.c_str());
            } else {
                add_text(10 + i % 500, 20 + i % 300, text.c_str());
            }
        }
        const std::string first = save_text();
        EXPECT_EQ(first.find('\0'), std::string::npos);
        EXPECT_EQ(count_occurrences(first, "\nTEXT ") + count_occurrences(first, "\nNPN "), records);
        ASSERT_EQ(first.back(), '\n');
        board_reset();
        ASSERT_EQ(load_text(first), 0);
        const std::string second = save_text();
        board_reset();
        ASSERT_EQ(load_text(second), 0);
        EXPECT_EQ(save_text(), first) << "round " << round;
    }
}

TEST_F(BoardWriterTest, WriteErrorsAreReported) {
    if (const char* missing = full_device_missing()) GTEST_SKIP() << missing;
    small_board();
    FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    EXPECT_FALSE(write_board_file(full));
    std::fclose(full);
}

TEST_F(BoardWriterTest, SaveReplacesTheFileWhole) {
    const std::filesystem::path path = directory_ / "board.cpx";
    write_file(path, "old contents that are longer than the new file will be......\n");
    add_component("SIL2", 0, 20, 20);
    ASSERT_TRUE(save_board_to_path(path.string().c_str()));
    EXPECT_EQ(file_text(path), std::string(VERSION_LINE) + "SIL2 0 4 4 \n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory_), {}), 1);
}

TEST_F(BoardWriterTest, FailedSaveLeavesThePreviousFile) {
    const std::string old = std::string(VERSION_LINE) + "SIL1 0 1 1 \n";
    const std::filesystem::path path = directory_ / "board.cpx";
    write_file(path, old);
    small_board();

    // The directory does not exist.
    EXPECT_FALSE(save_board_to_path((directory_ / "missing" / "board.cpx").string().c_str()));

    // A folder named like an old fixed temporary name does not block the
    // save, and is left alone.
    std::filesystem::create_directory(directory_ / "board.cpx.saving");
    EXPECT_TRUE(save_board_to_path(path.string().c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(directory_ / "board.cpx.saving"));
    std::filesystem::remove(directory_ / "board.cpx.saving");
    write_file(path, old);

    // The disk fills up part-way: a file size limit makes the writes fail.
    bool saved_ok;
    {
        FileSizeLimit limit(64);
        if (!limit.active()) GTEST_SKIP() << FileSizeLimit::why_not();
        saved_ok = save_board_to_path(path.string().c_str());
    }
    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(file_text(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory_), {}), 1);

    // And with room again the same save succeeds.
    EXPECT_TRUE(save_board_to_path(path.string().c_str()));
    EXPECT_NE(file_text(path), old);
}

}  // namespace
