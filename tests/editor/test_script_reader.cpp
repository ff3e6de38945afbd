// Tests of the script reader.
#include <random>
#include <sstream>
#include <string>
#include <vector>
#include "session_fixture.h"

namespace {

using ScriptTest = SessionTest;

std::vector<ScriptLine> parse_ok(const char* text) {
    std::vector<ScriptLine> lines;
    std::string error;
    EXPECT_TRUE(script_parse(text, &lines, &error)) << error;
    return lines;
}

std::string parse_error(const char* text) {
    std::vector<ScriptLine> lines;
    std::string error;
    EXPECT_FALSE(script_parse(text, &lines, &error)) << text;
    return error;
}

TEST(ScriptParse, KeysByCharacterControlLetterAndName) {
    auto lines = parse_ok("key a\nkey 5\nkey ^s\nkey ^S\nkey esc\nkey Enter\nkey tab\n"
                          "key backspace\nkey space\nkey delete\nkey up\nkey print\nkey ^\n");
    ASSERT_EQ(lines.size(), 13u);
    const int codes[] = {'a', '5', 19, 19, 27, 13, 9, 8, 32};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(lines[i].op, ScriptOp::Char) << i;
        EXPECT_EQ(lines[i].code, codes[i]) << i;
    }
    EXPECT_EQ(lines[9].op, ScriptOp::KeyDown);
    EXPECT_EQ(lines[9].key, PKEY_DELETE);
    EXPECT_EQ(lines[10].key, PKEY_UP);
    EXPECT_EQ(lines[11].key, PKEY_PRINT);
    EXPECT_EQ(lines[12].op, ScriptOp::Char);  // a lone caret is the character
    EXPECT_EQ(lines[12].code, '^');
}

TEST(ScriptParse, AnswersKeepTheirTextAndLineNumbersCountEverything) {
    auto lines = parse_ok("# a comment\n\n  answer two  words \r\nanswer\nfile /tmp/a b.cpx\n"
                          "export Q 1.5 x\nexport-cancel\nok\ncancel\n   # indented comment\n");
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[0].op, ScriptOp::AnswerAsk);
    EXPECT_EQ(lines[0].text, "two  words ");
    EXPECT_EQ(lines[1].text, "");
    EXPECT_FALSE(lines[1].cancel);
    EXPECT_EQ(lines[2].text, "/tmp/a b.cpx");
    EXPECT_EQ(lines[3].format, 'Q');
    EXPECT_EQ(lines[3].hscale, "1.5");
    EXPECT_EQ(lines[3].vscale, "x");  // as typed; the dialog decides
    EXPECT_TRUE(lines[4].cancel);
    EXPECT_FALSE(lines[5].cancel);
    EXPECT_TRUE(lines[6].cancel);
    EXPECT_EQ(lines[6].number, 9);
}

TEST(ScriptParse, MalformedLinesNameTheirNumber) {
    EXPECT_NE(parse_error("move 1 2\n\n# c\nclick 1\n").find("script line 4:"), std::string::npos);
    EXPECT_NE(parse_error("key F1\n").find("unknown key"), std::string::npos);
    EXPECT_NE(parse_error("fly 1 2\n").find("unknown command"), std::string::npos);
    for (const char* bad : {"move 1 2 3", "move x 2", "move 99999999999 1", "up middle", "shift up left",
                            "ctrl", "menu -1", "menu 70000", "close now", "ok go", "export D 1",
                            "export d 1 1", "file", "screenshot", "key ^1", "key"})
        EXPECT_NE(parse_error(bad).find("script line 1:"), std::string::npos) << bad;
}

// Random white space of every kind around and between words, random line
// ends, blank and comment lines: lines and words are split as a string
// stream splits them (the reference here).
TEST(ScriptParse, SplitsLinesAndWordsAsAStreamDoes) {
    std::mt19937 random(5);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* words[] = {"move", "click", "key", "12", "7", "a", "#", "up", "left"};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int line = below(6); line >= 0; --line) {
            for (int word = below(4); word >= 0; --word) {
                for (int space = below(3); space > 0; --space) text += " \t\v\f\r"[below(5)];
                text += words[below(9)];
            }
            if (below(3) == 0) text += ' ';
            text += below(4) == 0 ? "\r\n" : "\n";
        }
        if (below(2) == 0 && !text.empty()) text.pop_back();
        std::vector<ScriptLine> lines;
        std::string error;
        const bool parsed = script_parse(text, &lines, &error);
        std::istringstream in(text);
        std::string raw;
        int number = 0;
        size_t next = 0;
        bool expect_ok = true;
        while (std::getline(in, raw) && expect_ok) {
            ++number;
            std::istringstream split(raw);
            std::vector<std::string> w;
            for (std::string word; split >> word;) w.push_back(word);
            if (w.empty() || w[0][0] == '#') continue;
            std::string one_error;
            std::string again;
            for (const std::string& word : w) again += word + " ";
            std::vector<ScriptLine> alone;
            expect_ok = script_parse(again, &alone, &one_error);
            if (!expect_ok) break;
            ASSERT_LT(next, lines.size()) << text;
            EXPECT_EQ(lines[next].number, number) << text;
            EXPECT_EQ(lines[next].op, alone[0].op) << text;
            EXPECT_EQ(lines[next].x, alone[0].x) << text;
            EXPECT_EQ(lines[next].code, alone[0].code) << text;
            ++next;
        }
        EXPECT_EQ(parsed, expect_ok) << text;
        if (parsed) {
            EXPECT_EQ(lines.size(), next) << text;
        }
    }
}

TEST_F(ScriptTest, EventsGoThroughTheInputTranslationOnePerWait) {
    canvas.zoom = 20;
    script("click 50 60\nshift right down\nctrl down\nkey up\nmenu 257\n");
    wait_for_message();  // the motion, in window pixels
    EXPECT_EQ(input_state.pointer_x, 100);
    EXPECT_EQ(input_state.pointer_y, 120);
    EXPECT_EQ(input_state.left_button, 0);
    wait_for_message();  // the press
    EXPECT_EQ(input_state.left_button, 1);
    wait_for_message();  // the release
    EXPECT_EQ(input_state.left_button, 0);
    wait_for_message();
    EXPECT_EQ(input_state.right_shift, 1);
    wait_for_message();
    EXPECT_EQ(input_state.control, 1);
    wait_for_message();
    EXPECT_EQ(get_key(), 16);
    wait_for_message();
    EXPECT_EQ(get_key(), 257);
    EXPECT_EQ(closes, 0);
    wait_for_message();  // the end of the script closes the window
    EXPECT_EQ(closes, 1);
}

TEST_F(ScriptTest, AnAnswerIsTakenOnlyByItsKindWhileItIsNext) {
    script("file /tmp/x.cpx\nanswer abc\nkey a\nok\n");
    char answer[256] = "unchanged";
    // A prompt does not take the file answer in front of its own.
    EXPECT_EQ(ask_prompt("name: ", "", answer, sizeof answer), 1);
    EXPECT_EQ(message_box("Caption", "text", true), 0);
    FILE* f = file_dialog('r', "Find", "", ".cpx", false);
    if (f) std::fclose(f);
    EXPECT_EQ(ask_prompt("name: ", "", answer, sizeof answer), 0);
    EXPECT_STREQ(answer, "abc");
    // Behind an unread event, "ok" is not the next line.
    EXPECT_EQ(message_box("Caption", "text", true), 0);
    EXPECT_EQ(script_state.next, 0u);
    wait_for_message();
    EXPECT_EQ(message_box("Caption", "text", true), 0);  // "ok"
    EXPECT_EQ(script_state.lines.size(), 1u);                 // only the key is left
    EXPECT_EQ(transcript(),
              "ask \"name: \" \"\" -> cancel\n"
              "message \"Caption\" \"text\" -> ok\n"
              "file r \"Find\" \"\" \".cpx\" -> \"/tmp/x.cpx\"\n"
              "ask \"name: \" \"\" -> \"abc\"\n"
              "message \"Caption\" \"text\" -> ok\n"
              "message \"Caption\" \"text\" -> ok\n");
}

TEST_F(ScriptTest, CancelAnswersAndAWarpDeliveredBeforeTheNextLine) {
    script("cancel\nmove 10 10\n");
    EXPECT_EQ(message_box("Warning", "really?", true), 1);
    pointer_warp(200, 100);
    wait_for_message();  // the warp's motion comes first
    EXPECT_EQ(input_state.pointer_x, 200);
    wait_for_message();
    EXPECT_EQ(input_state.pointer_x, 10);
}

}  // namespace
