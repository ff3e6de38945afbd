// The fields of a line are found wherever the white space between them
// puts them and whatever the keyword's letter case: every spelling of a
// line gives the board and the messages of its plain spelling.
#include <random>
#include <string>

#include "fileio_fixture.h"

namespace {

class LineFieldsTest : public BoardFileTest {
protected:
    // The board and the messages one line gives on an empty board.
    std::string outcome(const std::string& line) {
        board_reset();
        const size_t shown_before = transcript().size();
        const int result = load_text("VERSION 1.000\n" + line + "\n");
        return std::to_string(result) + "\n" + save_text() + transcript().substr(shown_before);
    }
};

// '|' stands for any run of white space, '^' for exactly one white-space
// character, a plain space for itself (a description's own spaces count).
const char* const PATTERNS[] = {
    "NPN|0|20|20^*|105|95 Q1 two  spaces",
    "PNP|9|4|6 ",
    "DIL14|1|10|10",
    "dip24s|1|4|40",
    "NPN_2|0|20|20^*|-3|+4 x",
    "SIL3|0|2|2^Q3 unplaced",
    "TEXT^*|40|30 Power  rail",
    "TEXT^an old text",
    "RES|0|10|10|10|20 ",
    "WIRE|1|1|1|1|5^*|3|4 lead",
    "DIODE|3|8|8|12|8^kathode",
    "R|30|30|30|34",
    "z|33|30|33|36^*|1|2 zener",
    "CUT|13|20",
    "bridge|8|17",
    "STRIP|4|8|10",
    "VERSION|0.5",
    "NPN|99|40|60",
    "WIRE|7|1|1|1|3",
    "NPN|99999999999|1|1",
};

const char SPACES[] = {' ', '\t', '\v', '\f'};

std::string spelled(const char* pattern, std::mt19937& random, bool plain) {
    std::string line;
    if (!plain && random() % 2 == 0) line += SPACES[random() % 4];
    bool in_keyword = true;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p == '|' || *p == '^') {
            in_keyword = false;
            const int run = plain || *p == '^' ? 1 : 1 + static_cast<int>(random() % 3);
            for (int i = 0; i < run; ++i) line += plain ? ' ' : SPACES[random() % 4];
        } else if (in_keyword) {
            const char capital = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
            line += plain || random() % 2 == 0 ? capital : static_cast<char>(std::tolower(capital));
        } else {
            line += *p;
        }
    }
    return line;
}

}  // namespace

TEST_F(LineFieldsTest, EverySpellingGivesWhatThePlainOneGives) {
    std::mt19937 random(2026);
    for (const char* pattern : PATTERNS) {
        const std::string plain = spelled(pattern, random, true);
        const std::string expected = outcome(plain);
        for (int attempt = 0; attempt < 12; ++attempt) {
            const std::string line = spelled(pattern, random, false);
            ASSERT_EQ(outcome(line), expected) << "plain '" << plain << "', spelled '" << line << "'";
        }
    }
    // The plain spellings do make what they say, or the comparison would show nothing.
    EXPECT_NE(outcome("NPN 0 20 20 * 105 95 Q1 two  spaces").find("\nNPN 0 20 20 * 105 95 Q1 two  spaces\n"),
              std::string::npos);
    EXPECT_NE(outcome("TEXT * 40 30 Power  rail").find("\nTEXT * 40 30 Power  rail\n"), std::string::npos);
    EXPECT_NE(outcome("NPN 99 40 60").find("has no variant 99"), std::string::npos);
}

// A carriage return inside a line ends the line's description as a line
// end would, and the numbers of "* x y" are not looked for beyond it.
TEST_F(LineFieldsTest, ACarriageReturnInsideALineEndsItsDescription) {
    const std::string saved = outcome(
        "NPN 0 1 2 * 3\r4 x\nSIL1 0 5 5 * 7 8 ab\rcd\nWIRE 0 1 1 1 5 *\r 3 4 t\nRES 0 2 2 2 6 \rold\n"
        "TEXT * 9\r9 t\nTEXT \rz\nCAP 0 4 4 4 8  two\r");
    const std::string objects = "0\nVERSION 1.000 Cuprolay generated data\nTEXT \nTEXT \nSIL1 0 5 5 * 7 8 ab\n"
                                "NPN 0 1 2 \nCAP 0 4 4 4 8 * 24 32  two\nRES 0 2 2 2 6 \nWIRE 0 1 1 1 5 \nCUT ";
    EXPECT_EQ(saved.substr(0, objects.size()), objects);
    // The text of "* 9\r9 t" stands at the x read before the carriage return.
    const ComponentRecord* text = board.component_list->next;
    ASSERT_TRUE(entry_is_text(text->entry));
    EXPECT_EQ(text->ax, 9);
    EXPECT_EQ(text->ay, 0);
    EXPECT_EQ(text->desc.width, 0);
}
