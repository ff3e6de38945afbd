#pragma once
// The user manual as the help viewer shows it: formatted text with one
// style letter per byte. docs/manual.md is its one source; the build runs
// format_manual over it and compiles the result in (manual_text.cpp).
#include <cstddef>
#include <string>

enum ManualStyle : char {
    MANUAL_BODY = 'A',
    MANUAL_HEADING = 'B',     // a section title, "# " in the source
    MANUAL_SUBHEADING = 'C',  // "## "
    MANUAL_KEY = 'D',         // `keys and typed text`
    MANUAL_STRONG = 'E',      // **emphasis**
};

struct FormattedManual {
    std::string text;
    std::string styles;  // one ManualStyle per byte of text
};

// The source's small markup: "# " and "## " headings, paragraphs of
// consecutive lines (joined, the viewer wraps them), "- " and "1. " list
// items with indented continuation lines, `key` and **strong** spans.
FormattedManual format_manual(const std::string& source);

// The same as a rich-text (RTF) document, for a viewer that shows RTF; the
// text of every style run is kept, so the topic titles can be found in it.
std::string manual_rtf(const FormattedManual& manual);

// The compiled-in manual (generated).
extern const char manual_text[];
extern const char manual_styles[];
extern const size_t manual_length;

// Offset of the first occurrence of title in text, letter case ignored;
// 0 for an empty title or one that does not occur.
size_t find_ignoring_case(const char* text, size_t length, const char* title);
// The same in the compiled-in manual: where the viewer scrolls for a topic.
size_t manual_topic_offset(const char* title);
