// Tests that a headless run without answers ends.
#include <gtest/gtest.h>

#include "shell/dialogs.h"
#include "shell/headless/headless.h"

// A question asked again on every Cancel, as the Gerber export's last
// one is, must not keep a run without answers waiting for ever.
TEST(HeadlessStuckDeathTest, ADialogThatKeepsAskingEndsTheRun) {
    EXPECT_EXIT(
        {
            headless_install();
            headless_state.messages_to_stderr = false;
            char answer[16];
            while (ask_prompt("Continue or admire the result?", "", answer, sizeof answer) != 0) {
            }
        },
        ::testing::ExitedWithCode(2), "keeps asking");
}

TEST(HeadlessStuckTest, AnAnswerOrAnEventStartsTheCountAfresh) {
    headless_install();
    headless_state.messages_to_stderr = false;
    headless_state.unanswered_dialog_limit = 3;
    char answer[16];
    for (int round = 0; round < 5; ++round) {
        EXPECT_EQ(ask_prompt("name: ", "", answer, sizeof answer), 1);
        EXPECT_EQ(ask_prompt("name: ", "", answer, sizeof answer), 1);
        headless_answer_ask("npn");
        EXPECT_EQ(ask_prompt("name: ", "", answer, sizeof answer), 0);
    }
    EXPECT_EQ(headless_state.unanswered_dialogs, 0);
}
