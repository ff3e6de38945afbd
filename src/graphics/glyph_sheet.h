#pragma once
// Reading the fonts' glyph sheets at compile time. A sheet is a list of
// blocks: a line ": c1 c2 ..." naming up to a block's worth of character
// codes (a single character, or a decimal code; "--" ends the list), then
// one line per glyph row holding a '#'/'.' column for each character.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sheet_reader {

template <std::size_t CellRows>
using GlyphTable = std::array<std::array<uint8_t, CellRows>, 256>;

constexpr int parse_code(std::string_view token) {
    if (token.size() == 1) return static_cast<unsigned char>(token[0]);
    int code = 0;
    for (char ch : token) {
        if (ch < '0' || ch > '9') throw "character code must be a number";
        code = code * 10 + (ch - '0');
    }
    if (code > 255) throw "character code out of range";
    return code;
}

// Splits off the next space-separated token of `rest`.
constexpr std::string_view next_token(std::string_view& rest) {
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    std::size_t end = rest.find(' ');
    if (end == std::string_view::npos) end = rest.size();
    std::string_view token = rest.substr(0, end);
    rest.remove_prefix(end);
    return token;
}

// The '#'/'.' points of a row as bits, leftmost point highest.
constexpr uint8_t point_bits(std::string_view row, std::size_t width) {
    if (row.size() != width) throw "glyph row has the wrong width";
    uint8_t bits = 0;
    for (char ch : row) {
        if (ch != '#' && ch != '.') throw "glyph row holds only '#' and '.'";
        bits = static_cast<uint8_t>((bits << 1) | (ch == '#' ? 1 : 0));
    }
    return bits;
}

// Fills rows first_row .. first_row + sheet_rows - 1 of each named glyph.
template <std::size_t CellRows>
constexpr GlyphTable<CellRows> parse_sheet(std::string_view sheet, int sheet_rows, int first_row,
                                           uint8_t (*row_bits)(std::string_view)) {
    constexpr int MAX_PER_BLOCK = 16;
    GlyphTable<CellRows> glyphs{};
    int codes[MAX_PER_BLOCK] = {};
    int code_count = 0;
    int row = sheet_rows;  // no block open yet
    while (!sheet.empty()) {
        std::size_t end = sheet.find('\n');
        if (end == std::string_view::npos) end = sheet.size();
        std::string_view line = sheet.substr(0, end);
        sheet.remove_prefix(end < sheet.size() ? end + 1 : end);
        if (line.empty()) continue;
        if (line.starts_with(": ")) {
            if (row != sheet_rows) throw "glyph block cut short";
            std::string_view rest = line.substr(2);
            code_count = 0;
            for (std::string_view token = next_token(rest); !token.empty() && token != "--";
                 token = next_token(rest)) {
                if (code_count == MAX_PER_BLOCK) throw "too many glyphs in one block";
                codes[code_count++] = parse_code(token);
            }
            row = 0;
            continue;
        }
        if (row == sheet_rows) throw "glyph row outside a block";
        std::string_view rest = line;
        for (int k = 0; k < code_count; ++k) glyphs[codes[k]][first_row + row] = row_bits(next_token(rest));
        if (!next_token(rest).empty()) throw "more glyph columns than characters";
        ++row;
    }
    if (row != sheet_rows) throw "last glyph block cut short";
    return glyphs;
}

}  // namespace sheet_reader
