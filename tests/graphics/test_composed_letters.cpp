// The accented letters of both fonts against the one table they are built
// from: every letter keeps its base and carries its mark, and a mark looks
// the same over every letter and, where the heights allow, in both cases.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>

#include "graphics/composed_letters.h"
#include "graphics/font.h"

namespace {

using composed_letters::Letter;

using LargeRows = std::array<uint8_t, 16>;

LargeRows large_rows(int g) {
    LargeRows rows{};
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 8; ++i) rows[j] = uint8_t(rows[j] << 1 | (large_glyph_pixel(g, i, j) ? 1 : 0));
    return rows;
}

// Row r (0 at the top) of a small glyph: four points.
int small_row(int c, int r) {
    return (small_glyph_bits(static_cast<unsigned char>(c)) >> (16 - 4 * r)) & 0xF;
}

bool is_small(const Letter& letter) { return letter.base >= 'a' && letter.base <= 'z'; }

TEST(ComposedLetters, TheTableNamesEachUpperLatin1CodeOnceOverAnAsciiLetter) {
    std::set<int> codes;
    for (const Letter& letter : composed_letters::table) {
        EXPECT_GE(letter.code, 192);
        EXPECT_TRUE(codes.insert(letter.code).second) << int(letter.code);
        EXPECT_TRUE((letter.base >= 'A' && letter.base <= 'Z') || is_small(letter)) << int(letter.code);
    }
}

TEST(ComposedLetters, EachLetterKeepsItsBaseAndItsMarkLooksTheSameEverywhere) {
    // Each mark's picture in each font, as the first letter with it showed it.
    std::map<int, LargeRows> large_mark;
    std::map<int, int> small_mark;
    std::set<LargeRows> distinct;
    for (const Letter& letter : composed_letters::table) {
        const int code = letter.code, base = static_cast<unsigned char>(letter.base);
        const LargeRows glyph = large_rows(code), plain = large_rows(base);
        EXPECT_NE(glyph, plain) << code;
        EXPECT_TRUE(distinct.insert(glyph).second) << code << " looks like another letter";
        // Three points wide, a diaeresis over U and a circumflex in place of
        // the dot of i look like the plain letter.
        if (code != 220 && code != 238) {
            EXPECT_NE(small_glyph_bits(code), small_glyph_bits(base)) << code;
        }

        LargeRows mark{};
        int small_mark_row;
        if (letter.mark == composed_letters::CEDILLA) {
            // Hangs below: everything above the descender rows is the base's.
            for (int j = 0; j < 14; ++j) EXPECT_EQ(glyph[j], plain[j]) << code << " row " << j;
            for (int j = 14; j < 16; ++j) {
                EXPECT_EQ(glyph[j] & plain[j], plain[j]) << code << " row " << j;
                mark[j] = glyph[j] & ~plain[j];
            }
            small_mark_row = small_row(code, 4);
        } else if (is_small(letter)) {
            // Above the x-height; the body and descender rows stay the base's.
            for (int j = 8; j < 16; ++j) EXPECT_EQ(glyph[j], plain[j]) << code << " row " << j;
            for (int j = 1; j < 5; ++j) EXPECT_EQ(small_row(code, j), small_row(base, j)) << code;
            for (int j = 0; j < 3; ++j) mark[j] = glyph[5 + j];
            EXPECT_EQ(glyph[4], 0) << code;
            small_mark_row = small_row(code, 0);
        } else {
            // A capital shrinks under its mark, which sits one row higher.
            for (int j = 0; j < 4; ++j) EXPECT_EQ(glyph[j], 0) << code;
            for (int j = 0; j < 3; ++j) mark[j] = glyph[4 + j];
            small_mark_row = small_row(code, 0);
        }
        EXPECT_NE(small_mark_row, 0) << code;
        // Over a capital or a small letter the mark is drawn alike.
        EXPECT_EQ(large_mark.emplace(letter.mark, mark).first->second, mark) << code;
        EXPECT_EQ(small_mark.emplace(letter.mark, small_mark_row).first->second, small_mark_row) << code;
    }
    // Different marks look different; the small font's three points cannot
    // tell a ring from a circumflex, and its cedilla is told by its place.
    EXPECT_EQ(large_mark.size(), 7u);
    for (const auto& [a, rows_a] : large_mark)
        for (const auto& [b, rows_b] : large_mark) {
            if (a >= b) continue;
            EXPECT_NE(rows_a, rows_b) << a << " " << b;
            const bool ring_circumflex = a == composed_letters::CIRCUMFLEX && b == composed_letters::RING;
            if (!ring_circumflex && b != composed_letters::CEDILLA) {
                EXPECT_NE(small_mark[a], small_mark[b]) << a << " " << b;
            }
        }
}

}  // namespace
