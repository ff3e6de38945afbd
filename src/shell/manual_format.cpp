// Formatting the manual's text into styled runs for the help viewer.
#include <sstream>
#include <vector>
#include "shell/manual.h"

namespace {

void append(FormattedManual* out, const std::string& text, char style) {
    out->text += text;
    out->styles.append(text.size(), style);
}

// Inline spans: `key` and **strong**; a marker without its partner is
// kept as a plain character.
void append_inline(FormattedManual* out, const std::string& text, char base_style) {
    size_t i = 0;
    std::string plain;
    auto flush_plain = [&] {
        append(out, plain, base_style);
        plain.clear();
    };
    while (i < text.size()) {
        if (text[i] == '`') {
            size_t end = text.find('`', i + 1);
            if (end != std::string::npos) {
                flush_plain();
                append(out, text.substr(i + 1, end - i - 1), MANUAL_KEY);
                i = end + 1;
                continue;
            }
        } else if (text.compare(i, 2, "**") == 0) {
            size_t end = text.find("**", i + 2);
            if (end != std::string::npos) {
                flush_plain();
                append(out, text.substr(i + 2, end - i - 2), MANUAL_STRONG);
                i = end + 2;
                continue;
            }
        }
        plain += text[i++];
    }
    flush_plain();
}

std::string trim(const std::string& line) {
    size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos) return "";
    size_t end = line.find_last_not_of(" \t\r");
    return line.substr(start, end - start + 1);
}

// The marker of a list item ("- ", "* " or "12. "), or empty.
std::string list_marker(const std::string& line) {
    if (line.size() >= 2 && (line[0] == '-' || line[0] == '*') && line[1] == ' ')
        return line.substr(0, 1);
    size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
    if (digits > 0 && digits + 1 < line.size() && line[digits] == '.' && line[digits + 1] == ' ')
        return line.substr(0, digits + 1);
    return "";
}

enum class Block { None, Paragraph, Item };

std::vector<std::string> split_lines(const std::string& source) {
    std::vector<std::string> lines;
    std::istringstream in(source);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

// One pass over the source: the text so far and the block still open.
struct Formatter {
    FormattedManual out;
    Block block = Block::None;
    std::string pending;  // the joined text of the open paragraph or item
    bool in_list = false;

    void close_block() {
        if (block == Block::Paragraph) {
            append_inline(&out, pending, MANUAL_BODY);
            append(&out, "\n\n", MANUAL_BODY);
        } else if (block == Block::Item) {
            append_inline(&out, pending, MANUAL_BODY);
            append(&out, "\n", MANUAL_BODY);
        }
        block = Block::None;
        pending.clear();
    }

    void close_list() {
        close_block();
        if (in_list) append(&out, "\n", MANUAL_BODY);
        in_list = false;
    }

    bool heading(const std::string& line) {
        if (line.compare(0, 3, "## ") != 0 && line.compare(0, 2, "# ") != 0) return false;
        close_list();
        bool sub = line[1] == '#';
        append(&out, trim(line.substr(sub ? 3 : 2)), sub ? MANUAL_SUBHEADING : MANUAL_HEADING);
        append(&out, sub ? "\n" : "\n\n", MANUAL_BODY);
        return true;
    }

    bool list_item(const std::string& line) {
        std::string marker = list_marker(line);
        if (marker.empty()) return false;
        close_block();
        in_list = true;
        block = Block::Item;
        std::string bullet = marker == "-" || marker == "*" ? "  - " : "  " + marker + " ";
        append(&out, bullet, MANUAL_BODY);
        pending = trim(line.substr(marker.size() + 1));
        return true;
    }

    void feed(const std::string& raw) {
        std::string line = trim(raw);
        bool indented = !raw.empty() && (raw[0] == ' ' || raw[0] == '\t');
        if (line.empty()) {
            close_list();
            return;
        }
        if (heading(line) || list_item(line)) return;
        if ((block == Block::Item && indented) || block == Block::Paragraph) {
            pending += " " + line;
            return;
        }
        close_list();
        block = Block::Paragraph;
        pending = line;
    }

    // No blank lines after the last section.
    void finish() {
        close_list();
        while (!out.text.empty() && out.text.back() == '\n') {
            out.text.pop_back();
            out.styles.pop_back();
        }
        out.text += '\n';
        out.styles += MANUAL_BODY;
    }
};

}  // namespace

FormattedManual format_manual(const std::string& source) {
    Formatter formatter;
    for (const std::string& raw : split_lines(source)) formatter.feed(raw);
    formatter.finish();
    return formatter.out;
}
