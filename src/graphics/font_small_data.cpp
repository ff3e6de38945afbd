// The built-in small font: 4 x 5 point glyphs for the normal zoom, drawn as
// '#' (ink) and '.' below and packed at compile time into 20-bit entries
// (five rows of four points, top row first, from bit 19). Every glyph uses the
// left three columns; the fourth is the gap to the next character. Accented
// Latin-1 letters are built from their base letter and a one-row mark.
#include <array>
#include <cstddef>
#include <string_view>

#include "graphics/composed_letters.h"
#include "graphics/font.h"
#include "graphics/glyph_sheet.h"

namespace {

constexpr int SMALL_FONT_ENTRIES = 192;
constexpr int GLYPH_ROWS = 5;

// Blocks of up to sixteen glyphs: a header line ": " naming the characters
// (a single character stands for itself, a number is a character code;
// whatever follows "--" is only a reminder), then the five rows of each.
constexpr std::string_view glyph_sheet = R"(
: ! " # $ % & ' ( ) * + , - . / 0
.#. #.# #.# .## #.# .#. .#. ..# #.. #.# ... ... ... ... ..# .#.
.#. #.# ### ##. ..# #.# .#. .#. .#. .#. .#. ... ... ... ..# #.#
.#. ... #.# .#. .#. .#. ... .#. .#. ### ### ... ### ... .#. #.#
... ... ### .## #.. #.# ... .#. .#. .#. .#. .#. ... ... #.. #.#
.#. ... #.# ##. #.# .## ... ..# #.. #.# ... #.. ... .#. #.. .#.
: 1 2 3 4 5 6 7 8 9 : ; < = > ? @
.#. ##. ##. #.# ### .## ### .#. .#. ... ... ..# ... #.. ##. .#.
##. ..# ..# #.# #.. #.. ..# #.# #.# .#. .#. .#. ### .#. ..# #.#
.#. .#. .#. ### ##. ##. .#. .#. .## ... ... #.. ... ..# .#. ###
.#. #.. ..# ..# ..# #.# .#. #.# ..# .#. .#. .#. ### .#. ... #..
### ### ##. ..# ##. .#. .#. .#. ##. ... #.. ..# ... #.. .#. .##
: A B C D E F G H I J K L M N O P
.#. ##. .## ##. ### ### .## #.# ### ..# #.# #.. #.# ##. ### ##.
#.# #.# #.. #.# #.. #.. #.. #.# .#. ..# #.# #.. ### #.# #.# #.#
### ##. #.. #.# ##. ##. #.# ### .#. ..# ##. #.. ### #.# #.# ##.
#.# #.# #.. #.# #.. #.. #.# #.# .#. #.# #.# #.. #.# #.# #.# #..
#.# ##. .## ##. ### #.. .## #.# ### .#. #.# ### #.# #.# ### #..
: Q R S T U V W X Y Z [ \ ] ^ _ `
.#. ##. .## ### #.# #.# #.# #.# #.# ### ##. #.. .## .#. ... #..
#.# #.# #.. .#. #.# #.# #.# #.# #.# ..# #.. #.. ..# #.# ... .#.
#.# ##. .#. .#. #.# #.# ### .#. .#. .#. #.. .#. ..# ... ... ...
##. #.# ..# .#. #.# #.# ### #.# .#. #.. #.. ..# ..# ... ... ...
.## #.# ##. .#. ### .#. #.# #.# .#. ### ##. ..# .## ... ### ...
: a b c d e f g h i j k l m n o p
... #.. ... ..# ... .## ... #.. .#. ..# #.. ##. ... ... ... ...
##. #.. .## ..# .#. #.. .## #.. ... ... #.# .#. ### ##. .#. ##.
.## ##. #.. .## ### ### #.# ##. ##. ..# ##. .#. ### #.# #.# #.#
#.# #.# #.. #.# #.. #.. .## #.# .#. #.# ##. .#. #.# #.# #.# ##.
### ##. .## .## .## #.. ##. #.# ### .#. #.# ### #.# #.# .#. #..
: q r s t u v w x y z { | } ~ 127
... ... ... .#. ... ... ... ... ... ... .## .#. ##. ... .#.
.## #.# .## ### #.# #.# #.# #.# #.# ### .#. .#. .#. ..# #.#
#.# ##. #.. .#. #.# #.# #.# .#. #.# .## ##. .#. .## ### #.#
.## #.. ..# .#. #.# #.# ### .#. .## ##. .#. .#. .#. #.. #.#
..# #.. ##. ..# .## .#. #.# #.# ##. ### .## .#. ##. ... ###
: 161 162 163 164 165 166 167 168 169 170 171 172 173 174 175 176 -- ¡ ¢ £ ¤ ¥ ¦ § ¨ © ª « ¬ shy ® ¯ °
.#. .#. .## ... #.# .#. .## #.# ### .## ... ... ... ### ### .#.
... .## .#. ### .#. .#. ##. ... #.. #.# .## ... ... #.# ... #.#
.#. #.. ### #.# ### ... #.# ... #.. .## ##. ### ### ##. ... .#.
.#. .## .#. ### .#. .#. .## ... #.. ... .## ..# ... #.# ... ...
.#. .#. ### ... .#. .#. ##. ... ### ### ... ... ... ### ... ...
: 177 178 179 180 181 182 183 184 185 186 187 188 189 190 191 198 -- ± ² ³ ´ µ ¶ · ¸ ¹ º » ¼ ½ ¾ ¿ Æ
.#. ##. ##. ..# ... ### ... ... .#. .#. ... #.. #.. ##. .#. .##
### ..# .## .#. #.# ### ... ... ##. #.# ##. #.. #.. ##. ... ##.
.#. .#. ..# ... #.# .## .#. ... .#. .#. .## ..# ### ..# .#. ###
... ### ##. ... ##. .## ... .#. ### ... ##. .## ..# .## #.. ##.
### ... ... ... #.. .## ... ##. ... ### ... ..# .## ..# .## #.#
: 208 215 216 222 223 230 240 247 248 254 -- Ð × Ø Þ ß æ ð ÷ ø þ
##. ... .## #.. .#. ... ##. .#. ... #..
#.# #.# #.# ### #.# ##. .#. ... .## ##.
### .#. #.# #.# ##. .## .## ### #.# #.#
#.# #.# #.# ### #.# ##. #.# ... #.# ##.
##. ... ##. #.. ##. ### .#. .#. ##. #..
)";

// Font entry of a code that has a glyph: codes 32 to 128 from entry 0,
// codes from 160 from entry 96.
constexpr int entry_of(int code) {
    if (code >= 32 && code <= 128) return code - 32;
    if (code >= 160 && code <= 255) return code - 64;
    throw "character code has no small glyph";
}

using GlyphRows = std::array<uint8_t, GLYPH_ROWS>;  // bit 3 is the left column
using GlyphTable = sheet_reader::GlyphTable<GLYPH_ROWS>;

// Three points of ink; the fourth column is the gap.
constexpr uint8_t row_bits(std::string_view row) {
    return static_cast<uint8_t>(sheet_reader::point_bits(row, 3) << 1);
}

constexpr GlyphTable parse_sheet(std::string_view sheet) {
    return sheet_reader::parse_sheet<GLYPH_ROWS>(sheet, GLYPH_ROWS, 0, row_bits);
}

using namespace composed_letters;

// One row per mark: the top row of the letter, or its bottom row for the
// cedilla. Three points cannot tell a ring from a circumflex.
constexpr std::string_view mark_row[] = {"#..", "..#", ".#.", "###", "#.#", ".#.", ".#."};

// Makes room for a mark: drops a blank top row, else the row that repeats
// the row above nearest the middle, else row 3. Returns the four rows kept.
constexpr std::array<uint8_t, 4> four_rows(const GlyphRows& base) {
    int drop = 3;
    if (base[0] == 0) {
        drop = 0;
    } else {
        int best_distance = 100;
        for (int j = 1; j < GLYPH_ROWS; ++j) {
            int distance = j > 2 ? j - 2 : 2 - j;
            if (base[j] == base[j - 1] && distance < best_distance) {
                best_distance = distance;
                drop = j;
            }
        }
    }
    std::array<uint8_t, 4> kept{};
    for (int j = 0, k = 0; j < GLYPH_ROWS; ++j)
        if (j != drop) kept[k++] = base[j];
    return kept;
}

constexpr GlyphRows compose(const GlyphTable& glyphs, const Letter& letter) {
    const GlyphRows& base = glyphs[static_cast<unsigned char>(letter.base)];
    uint8_t mark = row_bits(mark_row[letter.mark]);
    GlyphRows result{};
    bool small_letter = letter.base >= 'a' && letter.base <= 'z';
    if (letter.mark == CEDILLA) {
        std::array<uint8_t, 4> kept = four_rows(base);
        for (int j = 0; j < 4; ++j) result[j] = kept[j];
        result[4] = mark;
    } else if (small_letter) {
        result = base;
        result[0] = mark;  // small letters leave row 0 free (the dot of i gives way)
    } else {
        std::array<uint8_t, 4> kept = four_rows(base);
        result[0] = mark;
        for (int j = 0; j < 4; ++j) result[j + 1] = kept[j];
    }
    return result;
}

constexpr std::array<uint32_t, SMALL_FONT_ENTRIES> build_font() {
    GlyphTable glyphs = parse_sheet(glyph_sheet);
    for (const Letter& letter : table) glyphs[letter.code] = compose(glyphs, letter);
    std::array<uint32_t, SMALL_FONT_ENTRIES> font{};
    for (int code = 32; code <= 255; ++code) {
        if (code > 128 && code < 160) continue;
        uint32_t bits = 0;
        for (int k = 0; k < GLYPH_ROWS; ++k) bits = (bits << 4) | glyphs[code][k];
        if (bits != 0) font[entry_of(code)] = bits;
    }
    return font;
}

constexpr std::array<uint32_t, SMALL_FONT_ENTRIES> small_image = build_font();

static_assert(small_image['A' - 32] == 0x4AEAA, "glyph A");
static_assert(small_image['0' - 32] == 0x4AAA4, "glyph 0");
static_assert(small_image[0] == 0, "space");

}  // namespace

#define CP_ENTRY_1(n) small_image[n]
#define CP_ENTRY_4(n) CP_ENTRY_1(n), CP_ENTRY_1(n + 1), CP_ENTRY_1(n + 2), CP_ENTRY_1(n + 3)
#define CP_ENTRY_16(n) CP_ENTRY_4(n), CP_ENTRY_4(n + 4), CP_ENTRY_4(n + 8), CP_ENTRY_4(n + 12)
#define CP_ENTRY_64(n) CP_ENTRY_16(n), CP_ENTRY_16(n + 16), CP_ENTRY_16(n + 32), CP_ENTRY_16(n + 48)

// The header fixes a plain array, so the constant table is spelled out
// element by element.
const uint32_t small_font[SMALL_FONT_ENTRIES] = {CP_ENTRY_64(0), CP_ENTRY_64(64), CP_ENTRY_64(128)};

#undef CP_ENTRY_1
#undef CP_ENTRY_4
#undef CP_ENTRY_16
#undef CP_ENTRY_64
