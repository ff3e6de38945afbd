// Tests of the editor's command-line split.
#include <gtest/gtest.h>
#include <string>
#include "shell/command_line.h"

TEST(CommandLine, BoardPathAndWineInEitherOrder) {
    EditorCommandLine after = parse_editor_command_line("board.cpx -wine");
    EXPECT_EQ(after.board_path, "board.cpx");
    EXPECT_TRUE(after.wine);

    EditorCommandLine before = parse_editor_command_line("-wine board.cpx");
    EXPECT_EQ(before.board_path, "board.cpx");
    EXPECT_TRUE(before.wine);

    EditorCommandLine alone = parse_editor_command_line("-wine");
    EXPECT_EQ(alone.board_path, "");
    EXPECT_TRUE(alone.wine);
}

TEST(CommandLine, EmptyAndWhiteSpaceOnlyGiveNoBoard) {
    for (const char* line : {"", "   ", "\t \r\n"}) {
        EditorCommandLine parsed = parse_editor_command_line(line);
        EXPECT_EQ(parsed.board_path, "") << '"' << line << '"';
        EXPECT_FALSE(parsed.wine);
    }
    EXPECT_EQ(parse_editor_command_line(nullptr).board_path, "");
}

TEST(CommandLine, SplitsAtWhiteSpaceWithoutQuoting) {
    // A path with a space is cut at it; the rest is a second word that is
    // not "-wine", and anything after two words is ignored.
    EditorCommandLine parsed = parse_editor_command_line("  my board.cpx -wine");
    EXPECT_EQ(parsed.board_path, "my");
    EXPECT_FALSE(parsed.wine);

    EditorCommandLine quoted = parse_editor_command_line("\"a b\"");
    EXPECT_EQ(quoted.board_path, "\"a");

    std::string first, second;
    split_command_line("one\ttwo three", &first, &second);
    EXPECT_EQ(first, "one");
    EXPECT_EQ(second, "two");

    // Only exactly "-wine" counts.
    EXPECT_FALSE(parse_editor_command_line("b.cpx -Wine").wine);
    EXPECT_FALSE(parse_editor_command_line("b.cpx -wine2").wine);
    EXPECT_EQ(parse_editor_command_line("-winebox").board_path, "-winebox");
}

TEST(CommandLine, LongWordsAreKeptWhole) {
    std::string path(5000, 'p');
    EditorCommandLine parsed = parse_editor_command_line((path + " -wine").c_str());
    EXPECT_EQ(parsed.board_path, path);
    EXPECT_TRUE(parsed.wine);

    EditorCommandLine from_words = interpret_editor_words("-wine", path);
    EXPECT_EQ(from_words.board_path, path);
    EXPECT_TRUE(from_words.wine);
}
