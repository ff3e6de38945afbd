// Tests of the manual's formatting and topic search.
#include <gtest/gtest.h>
#include <cctype>
#include <cstring>
#include <string>
#include "shell/dialogs.h"
#include "shell/manual.h"

TEST(ManualFormat, HeadingsParagraphsAndListsTakeTheirStyles) {
    FormattedManual m = format_manual(
        "# Title one\n"
        "\n"
        "A paragraph that runs\n"
        "over two lines.\n"
        "\n"
        "## Sub\n"
        "- first item\n"
        "  continued\n"
        "2. second with `key` and **strong**\n"
        "\n"
        "# Title two\n");
    EXPECT_EQ(m.text,
              "Title one\n\n"
              "A paragraph that runs over two lines.\n\n"
              "Sub\n"
              "  - first item continued\n"
              "  2. second with key and strong\n\n"
              "Title two\n");
    ASSERT_EQ(m.styles.size(), m.text.size());
    EXPECT_EQ(m.styles.substr(0, 9), std::string(9, MANUAL_HEADING));
    EXPECT_EQ(m.styles[9], MANUAL_BODY);
    size_t sub = m.text.find("Sub");
    EXPECT_EQ(m.styles.substr(sub, 3), std::string(3, MANUAL_SUBHEADING));
    size_t key = m.text.find("key");
    EXPECT_EQ(m.styles.substr(key, 3), std::string(3, MANUAL_KEY));
    EXPECT_EQ(m.styles[key - 1], MANUAL_BODY);
    size_t strong = m.text.find("strong");
    EXPECT_EQ(m.styles.substr(strong, 6), std::string(6, MANUAL_STRONG));
}

TEST(ManualFormat, UnpairedMarkersStayAsText) {
    FormattedManual m = format_manual("a `b and **c\n");
    EXPECT_EQ(m.text, "a `b and **c\n");
    EXPECT_EQ(m.styles, std::string(m.text.size(), MANUAL_BODY));
    EXPECT_EQ(format_manual("").text, "\n");
}

TEST(ManualTopic, FindIgnoresCaseAndFallsBackToTheTop) {
    const char text[] = "Intro about printing.\nPrinting\n";
    EXPECT_EQ(find_ignoring_case(text, std::strlen(text), "PRINTING"), 12u);
    EXPECT_EQ(find_ignoring_case(text, std::strlen(text), "Missing"), 0u);
    EXPECT_EQ(find_ignoring_case(text, std::strlen(text), ""), 0u);
    EXPECT_EQ(find_ignoring_case(text, 3, "Intro about"), 0u);  // longer than the text
    EXPECT_EQ(find_ignoring_case(text, std::strlen(text), "g.\nP"), 19u);
}

// The viewer scrolls to the first occurrence of a topic's title, so each
// title must first occur as its own heading.
TEST(ManualTopic, EveryTopicFirstOccursAsItsHeading) {
    ASSERT_EQ(std::strlen(manual_styles), manual_length);
    ASSERT_EQ(std::strlen(manual_text), manual_length);
    for (int id = 257; id <= 273; ++id) {
        const char* title = help_topic_title(id);
        ASSERT_NE(title, nullptr) << id;
        size_t at = manual_topic_offset(title);
        size_t length = std::strlen(title);
        std::string found(manual_text + at, std::min(length, manual_length - at));
        if (found != title) {
            ADD_FAILURE() << "topic " << id << " \"" << title << "\" first occurs as \"" << found << '"';
            continue;
        }
        EXPECT_TRUE(at == 0 || manual_text[at - 1] == '\n') << title;
        EXPECT_EQ(manual_text[at + length], '\n') << title;
        EXPECT_EQ(std::string(manual_styles + at, length), std::string(length, MANUAL_HEADING)) << title;
    }
}

TEST(ManualTopic, ManualIsAFullUserManual) {
    // About 20 KB of prose, and no heading without a topic.
    EXPECT_GT(manual_length, 15000u);
    int headings = 0;
    for (size_t i = 0; i < manual_length; ++i)
        if (manual_styles[i] == MANUAL_HEADING && (i == 0 || manual_styles[i - 1] != MANUAL_HEADING)) ++headings;
    EXPECT_EQ(headings, 17);
}
