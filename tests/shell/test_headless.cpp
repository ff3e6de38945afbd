// Tests of the headless backend.
#include "shell_fixture.h"

namespace {

class HeadlessTest : public ShellTest {};

TEST_F(HeadlessTest, TranscriptQuotesBackslashQuoteAndLineFeed) {
    message_box("Say \"hi\"", "C:\\boards\nline two", false);
    char answer[DIALOG_TEXT_SIZE];
    headless_answer_ask("a \"quoted\" \\ answer");
    ask_prompt("label\n", "def\\", answer, sizeof answer);
    EXPECT_EQ(transcript(),
              "message \"Say \\\"hi\\\"\" \"C:\\\\boards\\nline two\" -> ok\n"
              "ask \"label\\n\" \"def\\\\\" -> \"a \\\"quoted\\\" \\\\ answer\"\n");
}

TEST_F(HeadlessTest, EveryDialogWritesItsLineForm) {
    char answer[DIALOG_TEXT_SIZE];
    EXPECT_EQ(ask_prompt("Text:", "old", answer, sizeof answer), 1);
    headless_answer_file(nullptr);
    EXPECT_EQ(file_dialog('r', "Find", "base", ".cpx", false), nullptr);
    headless_answer_export('G', "1.5", "0.5", false);
    export_dialog();
    help_viewer(258, nullptr);
    EXPECT_EQ(transcript(),
              "ask \"Text:\" \"old\" -> cancel\n"
              "file r \"Find\" \"base\" \".cpx\" -> cancel\n"
              "export -> G 1.5 0.5\n"
              "help \"About Cuprolay\"\n");
}

TEST_F(HeadlessTest, AnAnswerOfAnotherKindStaysQueued) {
    headless_answer_file("/nonexistent/dir/x.cpx");
    EXPECT_EQ(message_box("Question", "sure?", true), 0);  // answers OK
    char answer[DIALOG_TEXT_SIZE];
    EXPECT_EQ(ask_prompt("Text:", "", answer, sizeof answer), 1);
    EXPECT_TRUE(export_dialog());
    ASSERT_EQ(headless_state.answers.size(), 1u);
    EXPECT_EQ(file_dialog('r', "Find", "", ".cpx", false), nullptr);  // taken, does not open
    EXPECT_TRUE(headless_state.answers.empty());
    EXPECT_STREQ(dialog_state.current_file_name, "/nonexistent/dir/x.cpx");
}

HeadlessAnswer scripted;
int hook_calls = 0;
bool scripted_answer(AnswerKind kind, HeadlessAnswer* out) {
    ++hook_calls;
    if (kind != scripted.kind) return false;
    *out = scripted;
    return true;
}

TEST_F(HeadlessTest, TakeAnswerHookReplacesTheQueue) {
    headless_answer_ask("from the queue");
    scripted = HeadlessAnswer{};
    scripted.kind = AnswerKind::Ask;
    scripted.text = "from the hook";
    headless_state.take_answer = scripted_answer;
    char answer[DIALOG_TEXT_SIZE];
    EXPECT_EQ(ask_prompt("Text:", "", answer, sizeof answer), 0);
    EXPECT_STREQ(answer, "from the hook");
    EXPECT_EQ(message_box("Message", "x", true), 0);
    EXPECT_EQ(hook_calls, 2);
    EXPECT_EQ(headless_state.answers.size(), 1u);
}

TEST_F(HeadlessTest, MessagesGoToStandardErrorAsCaptionAndText) {
    headless_state.messages_to_stderr = true;
    ::testing::internal::CaptureStderr();
    message_box("File saved:", "/tmp/board.cpx", false);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "File saved:: /tmp/board.cpx\n");
}

TEST_F(HeadlessTest, ExportCancelWithoutAFormatClicksNothing) {
    export_settings.export_format = 'P';
    headless_answer_export(0, nullptr, nullptr, true);
    EXPECT_TRUE(export_dialog());
    EXPECT_EQ(export_settings.export_format, 'P');
}

TEST_F(HeadlessTest, AChosenPathThatDoesNotFitTheBufferIsACancel) {
    std::string long_path(300, 'p');
    headless_answer_file(long_path.c_str());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(file_dialog('w', "Save as", "", ".cpx", false), nullptr);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("too long"), std::string::npos);
    EXPECT_STREQ(dialog_state.current_file_name, "");
}

}  // namespace
