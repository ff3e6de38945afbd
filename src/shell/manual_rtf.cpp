// The formatted manual as a rich-text document for the Windows help viewer.
#include "shell/manual.h"

namespace {

// The RTF control words that start each style; every run ends with "}".
const char* style_group(char style) {
    switch (style) {
    case MANUAL_HEADING: return "{\\b\\fs28\\cf1 ";
    case MANUAL_SUBHEADING: return "{\\b\\fs20 ";
    case MANUAL_KEY: return "{\\f1\\b\\cf2 ";
    case MANUAL_STRONG: return "{\\b ";
    default: return "{";
    }
}

void append_escaped(std::string* out, unsigned char c) {
    if (c == '\\' || c == '{' || c == '}') {
        *out += '\\';
        *out += static_cast<char>(c);
    } else if (c == '\n') {
        *out += "\\par\n";
    } else if (c == '\t') {
        *out += "\\tab ";
    } else if (c < 32 || c > 126) {
        static const char digits[] = "0123456789abcdef";
        *out += "\\'";
        *out += digits[c >> 4];
        *out += digits[c & 15];
    } else {
        *out += static_cast<char>(c);
    }
}

}  // namespace

std::string manual_rtf(const FormattedManual& manual) {
    std::string out =
        "{\\rtf1\\ansi\\deff0"
        "{\\fonttbl{\\f0\\fswiss Verdana;}{\\f1\\fmodern Courier New;}}"
        "{\\colortbl;\\red0\\green0\\blue160;\\red128\\green0\\blue0;}"
        "\\f0\\fs16\n";
    auto style_at = [&](size_t i) -> char { return i < manual.styles.size() ? manual.styles[i] : char(MANUAL_BODY); };
    size_t i = 0;
    while (i < manual.text.size()) {
        const char style = style_at(i);
        out += style_group(style);
        while (i < manual.text.size() && style_at(i) == style)
            append_escaped(&out, static_cast<unsigned char>(manual.text[i++]));
        out += "}";
    }
    out += "}";
    return out;
}
