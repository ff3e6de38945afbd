// The manual as rich text: read back as plain text it is the manual again,
// so the viewer finds every topic title where the other viewers do.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "shell/dialogs.h"
#include "shell/manual.h"

namespace {

// The text an RTF reader shows: groups and control words dropped, \par and
// \tab as characters, \'hh as the byte, escaped symbols as themselves.
std::string shown_text(const std::string& rtf) {
    std::string out;
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        char c = rtf[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            --depth;
        } else if (c == '\n' || c == '\r') {
        } else if (c == '\\') {
            char next = rtf[i + 1];
            if (next == '\\' || next == '{' || next == '}') {
                out += next;
                ++i;
            } else if (next == '\'') {
                out += static_cast<char>(std::stoi(rtf.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else {
                size_t end = i + 1;
                while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end]))) ++end;
                const std::string word = rtf.substr(i + 1, end - i - 1);
                while (end < rtf.size() && (std::isdigit(static_cast<unsigned char>(rtf[end])) || rtf[end] == '-')) ++end;
                if (end < rtf.size() && rtf[end] == ' ') ++end;
                if (word == "par") out += '\n';
                if (word == "tab") out += '\t';
                // The font and colour tables are not text.
                if (word == "fonttbl" || word == "colortbl") {
                    int inner = 1;
                    while (end < rtf.size() && inner > 0) {
                        if (rtf[end] == '{') ++inner;
                        if (rtf[end] == '}') --inner;
                        ++end;
                    }
                    --depth;
                }
                i = end - 1;
            }
        } else {
            out += c;
        }
        EXPECT_GE(depth, 0) << "a group closes that never opened, at " << i;
    }
    EXPECT_EQ(depth, 0);
    return out;
}

TEST(ManualRtf, TheRealManualReadsBackWithEveryTopicTitle) {
    FormattedManual manual;
    manual.text.assign(manual_text, manual_length);
    manual.styles.assign(manual_styles, manual_length);
    const std::string rtf = manual_rtf(manual);
    ASSERT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    const std::string shown = shown_text(rtf);
    EXPECT_EQ(shown, manual.text);
    for (int id = 257; id <= 273; ++id)
        EXPECT_EQ(find_ignoring_case(shown.data(), shown.size(), help_topic_title(id)),
                  manual_topic_offset(help_topic_title(id)))
            << help_topic_title(id);
}

TEST(ManualRtf, AnyBytesAndStylesSurviveTheEscaping) {
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        FormattedManual manual;
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i) {
            // Braces, backslashes, line feeds and high bytes come often.
            const char pick[] = "{}\\\n\t a\x01\xe9\x7f";
            manual.text += random() % 2 ? pick[random() % (sizeof pick - 1)] : static_cast<char>(random() % 256);
            manual.styles += static_cast<char>('A' + random() % 5);
        }
        EXPECT_EQ(shown_text(manual_rtf(manual)), manual.text) << round;
    }
}

}  // namespace
