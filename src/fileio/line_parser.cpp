// The board line parser: one line of a board file, the journal or a region
// copy becomes the object it describes. A line is untrusted text, so it is
// scanned by hand with bounded numbers instead of a formatted scan, whose
// integer conversions are undefined on overflow.
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

#include "board/catalog.h"
#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "core/format.h"
#include "fileio/board_file.h"
#include "shell/dialogs.h"

namespace {

// Character classes, one table look-up a character: every field of every
// line of a load is walked character by character.
enum CharClass : unsigned char {
    SPACE = 1,       // what a formatted scan skips: space, \t, \n, \v, \f, \r
    TAIL_END = 2,    // ends a tail: NUL, \r, \n
    WORD_END = 4,    // ends a word: NUL or a space
    TAIL_SPACE = 8,  // a space inside a tail: space, \t, \v, \f
    LINE_END = 16,   // NUL
};

constexpr std::array<unsigned char, 256> make_char_classes() {
    std::array<unsigned char, 256> classes{};
    for (const char c : {' ', '\t', '\n', '\v', '\f', '\r'}) classes[static_cast<unsigned char>(c)] |= SPACE | WORD_END;
    for (const char c : {' ', '\t', '\v', '\f'}) classes[static_cast<unsigned char>(c)] |= TAIL_SPACE;
    for (const char c : {'\0', '\r', '\n'}) classes[static_cast<unsigned char>(c)] |= TAIL_END;
    classes[0] |= WORD_END | LINE_END;
    return classes;
}

constexpr std::array<unsigned char, 256> char_classes = make_char_classes();

bool has_class(char c, CharClass which) { return (char_classes[static_cast<unsigned char>(c)] & which) != 0; }
bool is_space(char c) { return has_class(c, SPACE); }
// The digit's value, or above 9 for any other character.
unsigned digit_value(char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)) - '0'; }
bool ends_tail(char c) { return has_class(c, TAIL_END); }
bool ends_word(char c) { return has_class(c, WORD_END); }

// Walks a line as a formatted scan would: once one conversion fails, the
// later ones fail too and their variables keep their starting values. A
// scanner of a tail reads it as if it were a line of its own: the tail's
// end (a NUL, a carriage return or a line feed) ends it.
class LineScanner {
public:
    enum Extent { WHOLE_LINE, TAIL };

    explicit LineScanner(const char* line, Extent extent = WHOLE_LINE)
        : p_(line), space_(extent == TAIL ? TAIL_SPACE : SPACE), end_(extent == TAIL ? TAIL_END : LINE_END) {}

    // Where the scan stands; null once a conversion failed.
    const char* position() const { return ok_ ? p_ : nullptr; }

    // "%d", limited in magnitude: a number beyond the limit fails like a
    // non-number.
    void number(int& out, int limit = BOARD_HALF_PITCH_LIMIT) {
        if (!ok_) return;
        skip_space();
        const char* q = p_;
        const bool negative = *q == '-';
        if (*q == '+' || *q == '-') ++q;
        unsigned digit = digit_value(*q);
        if (digit > 9) {
            ok_ = false;
            return;
        }
        long value = 0;
        do {
            value = value * 10 + digit;
            if (value > limit) {
                ok_ = false;
                return;
            }
            digit = digit_value(*++q);
        } while (digit <= 9);
        out = static_cast<int>(negative ? -value : value);
        p_ = q;
    }

    // "%f" into a float; a failed conversion leaves out alone.
    void real(float& out) {
        if (!ok_) return;
        skip_space();
        char* end = nullptr;
        const float value = std::strtof(p_, &end);
        if (end == p_) {
            ok_ = false;
            return;
        }
        out = value;
        p_ = end;
    }

    // "%*c": one character skipped, whatever it is.
    void skip_char() {
        if (!ok_) return;
        if (has_class(*p_, end_)) {
            ok_ = false;
            return;
        }
        ++p_;
    }

    // "%[^\r\n]": the rest up to a line end, at least one character.
    void rest(std::string_view& out) {
        if (!ok_) return;
        const char* q = p_;
        while (!ends_tail(*q)) ++q;
        if (q == p_) {
            ok_ = false;
            return;
        }
        out = std::string_view(p_, static_cast<size_t>(q - p_));
        p_ = q;
    }

    void skip_space() {
        while (has_class(*p_, space_)) ++p_;
    }

private:
    const char* p_;
    CharClass space_;
    CharClass end_;
    bool ok_ = true;
};

// The first word of a line, and the catalog key of the word in capitals,
// made in the same walk.
struct Keyword {
    const char* start = nullptr;  // the word in the line
    size_t length = 0;
    const char* end = nullptr;  // just after it: where the line's fields start
    uint64_t key = 0;           // for catalog_find_key

    explicit Keyword(const char* line) {
        while (is_space(*line)) ++line;
        start = line;
        for (; !ends_word(*line); ++line) key = catalog_key_add(key, capital(*line));
        end = line;
        length = static_cast<size_t>(line - start);
    }

    // In capitals, for messages.
    std::string whole() const {
        std::string word(start, length);
        for (char& c : word) c = capital(c);
        return word;
    }

    static char capital(char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); }
};

// OK or Cancel on an Error box: 1 when Cancel stops the load.
int ask_skip_or_stop(const char* format, const Keyword& keyword, int variant) {
    char text[256];
    format_into(text, sizeof text, format, keyword.whole().c_str(), variant);
    return message_box("Error", text, true) != DIALOG_OK ? 1 : 0;
}

bool outside_half_pitch_limit(int model) {
    return model / 5 > BOARD_HALF_PITCH_LIMIT || model / 5 < -BOARD_HALF_PITCH_LIMIT;
}

enum class DescriptionForm { None, Positioned, Unpositioned };

// The description in the tail, what follows a line's fields up to a line
// end (null: a field failed, so there is none): "* x y text" with its
// position, or the older form that is only text, each after one separating
// character. Returns which form it was. What follows is read from the tail
// alone, and the tail is walked once.
DescriptionForm apply_description(DescriptionHead& d, const char* tail) {
    if (tail == nullptr || ends_tail(tail[0]) || ends_tail(tail[1])) return DescriptionForm::None;
    if (tail[1] != '*') {
        std::string_view text;
        LineScanner(tail + 1, LineScanner::TAIL).rest(text);
        set_description_text(d, text.data(), text.size());
        return DescriptionForm::Unpositioned;
    }
    LineScanner scan(tail + 2, LineScanner::TAIL);
    int x = 0, y = 0;
    std::string_view text;
    scan.number(x, BOARD_MODEL_LIMIT);
    scan.number(y, BOARD_MODEL_LIMIT);
    scan.skip_char();
    scan.rest(text);
    // A suffix without text is an empty description: no width, nothing drawn.
    set_description_text(d, text.data(), text.size());
    d.x = x;
    d.y = y;
    return DescriptionForm::Positioned;
}

int parse_component_line(const Keyword& keyword, CatalogName name) {
    const int kind = name.kind;
    int variant = 0, x = 0, y = 0;
    LineScanner scan(keyword.end);
    scan.number(variant);
    scan.number(x);
    scan.number(y);
    // A text's description is everything after its keyword, whatever the
    // fields read: the keyword is taken in any letter case, and a text
    // line without its capitals still gives its own tail, never another's.
    const char* tail = kind == KIND_TEXT ? keyword.end : scan.position();

    ComponentRecord* c = create_component_of(catalog_lookup_name(name, variant), x * 5, y * 5);
    if (c == nullptr) return ask_skip_or_stop("Component %s has no variant %d", keyword, variant);
    if (!entry_is_text(c->entry) && (outside_half_pitch_limit(c->ax) || outside_half_pitch_limit(c->ay))) {
        // An alias's shift took the anchor past what a line may hold; its
        // line could not be read back, so it is not taken at all.
        register_pins(c);
        delete_component(c);
        return 0;
    }

    if (apply_description(c->desc, tail) == DescriptionForm::Positioned && kind == KIND_TEXT) {
        // A text stands where its text is.
        c->ax = c->desc.x;
        c->ay = c->desc.y;
        compute_component_box(c);
    }
    c->next = board.component_list;
    board.component_list = c;
    // Listed once for both the solder counts and the mark.
    const PinList pins = component_pins(c->entry, c->ax, c->ay);
    register_pin_list(pins);
    if (!dirty_rect_covers_board()) invalidate_component_pins(c, pins);
    return 0;
}

int parse_wire_line(const Keyword& keyword, CatalogName name) {
    const int kind = name.kind;
    int variant = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    LineScanner scan(keyword.end);
    if (kind == KIND_WIRE) scan.number(variant);
    scan.number(x1);
    scan.number(y1);
    scan.number(x2);
    scan.number(y2);
    const char* tail = scan.position();

    int entry = -1;
    if (kind == KIND_WIRE) {
        entry = catalog_lookup_name(name, variant).entry;
        if (entry < 0) return ask_skip_or_stop("Wire %s has no variant %d", keyword, variant);
    } else {
        entry = wire_entry_for_letter(Keyword::capital(keyword.start[0]));
        if (entry < 0) return 0;  // every letter of the catalog has one; nothing to make otherwise
    }

    WireRecord* w = create_wire(entry, x1 * 5, y1 * 5, x2 * 5, y2 * 5);
    if (w == nullptr) return 0;  // only a test's allocation hook gets here
    if (apply_description(w->desc, tail) == DescriptionForm::Unpositioned) {
        // No position stored: place it by the wire rule with its final width.
        wire_default_text_position(w);
    }
    w->next = board.wire_list;
    board.wire_list = w;
    if (!dirty_rect_covers_board()) invalidate_wire(w);
    return 0;
}

int parse_cell_line(const Keyword& keyword) {
    int column = 0, row = 0;
    LineScanner scan(keyword.end);
    scan.number(column);
    scan.number(row);
    // Nothing to mark outside the grid; and a hole's cell holds a
    // solder-point count that only objects may change.
    if (row < 0 || row >= GRID_ROWS || column < 0 || column >= GRID_COLUMNS) return 0;
    if (row % 2 == 0 && column % 2 == 0) return 0;
    cell_set(row, column, 1);
    if (dirty_rect_covers_board()) return 0;
    // The keyword is not consulted: the column's parity decides.
    if (column % 2 != 0)
        invalidate_cut(column * 5, row * 5);
    else
        invalidate_bridge(column * 5, row * 5);
    return 0;
}

}  // namespace

int parse_board_line(const char* line, float* file_version) {
    if (line == nullptr) return 0;
    const Keyword keyword(line);
    if (keyword.length == 0) return 0;  // a blank line

    // Found once: the line's variant is looked up from the same find, and
    // the kind comes with it.
    const CatalogName name = catalog_find_key(keyword.key, keyword.length);
    const int kind = name.kind;
    if (kind < 0 || kind > KIND_STRIP) {
        char text[256];
        format_into(text, sizeof text, "%s is an unknown element in Cuprolay source", keyword.whole().c_str());
        message_box("Error", text, true);
        return -1;
    }

    switch (kind) {
        case KIND_TEXT:
        case KIND_COMPONENT:
            return parse_component_line(keyword, name);
        case KIND_WIRE:
        case KIND_LETTER_WIRE:
            return parse_wire_line(keyword, name);
        case KIND_VERSION: {
            float version = file_version != nullptr ? *file_version : 0.0f;
            LineScanner scan(keyword.end);
            scan.real(version);
            if (file_version != nullptr) *file_version = version;
            return 0;
        }
        case KIND_CUT:
        case KIND_BRIDGE:
            return parse_cell_line(keyword);
        default:
            return 0;  // strips are derived from the cells, never read
    }
}
