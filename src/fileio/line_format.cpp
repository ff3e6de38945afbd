// The board line formatters. The journal compares these lines as strings,
// so every byte matters: numbers as "%d" prints them, single spaces, and
// the trailing space of a component or wire line without a description.
#include <cstring>
#include <string>

#include "board/catalog.h"
#include "fileio/board_file.h"

const float program_version = 1.0f;

namespace {

// Appends into a bounded buffer and counts the whole length, as a bounded
// print does; hand-made because the writer formats thousands of lines and
// the general print is several times slower for these few fields.
constexpr char DIGIT_PAIRS[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

class LineBuilder {
public:
    LineBuilder(char* buffer, size_t capacity) : buffer_(buffer), capacity_(capacity) {}

    // Names and keywords: a few characters, put one by one.
    void word(const char* s) {
        for (; *s != '\0'; ++s) put(*s);
    }

    // A description: any length.
    void text(const char* s) {
        const size_t n = std::strlen(s);
        if (length_ + n < capacity_) {
            std::memcpy(buffer_ + length_, s, n);
        } else if (length_ + 1 < capacity_) {
            std::memcpy(buffer_ + length_, s, capacity_ - 1 - length_);  // the part that fits
        }
        length_ += n;
    }

    [[gnu::always_inline]] void number(int value) {
        // Nearly every number of a board line is a grid or model position
        // below 1000: written at once when it fits whole.
        if (value >= 0 && value < 1000 && length_ + 3 < capacity_) {
            const unsigned v = static_cast<unsigned>(value);
            char* out = buffer_ + length_;
            if (v < 10) {
                out[0] = static_cast<char>('0' + v);
                length_ += 1;
            } else if (v < 100) {
                out[0] = DIGIT_PAIRS[v * 2];
                out[1] = DIGIT_PAIRS[v * 2 + 1];
                length_ += 2;
            } else {
                const unsigned pair = (v % 100) * 2;
                out[0] = static_cast<char>('0' + v / 100);
                out[1] = DIGIT_PAIRS[pair];
                out[2] = DIGIT_PAIRS[pair + 1];
                length_ += 3;
            }
            return;
        }
        other_number(value);
    }

    void space() { put(' '); }

    // Terminates what fitted and returns the whole length the line needs.
    size_t finish() {
        if (capacity_ > 0) buffer_[length_ < capacity_ ? length_ : capacity_ - 1] = '\0';
        return length_;
    }

private:
    // Out of line, so that the short case above is inlined where it is
    // called, six times a line.
    [[gnu::noinline]] void other_number(int value) {
        // Through unsigned so that the most negative value prints too.
        unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
        int digits = 1;
        for (unsigned bound = 10; digits < 10 && magnitude >= bound; bound *= 10) ++digits;
        if (value < 0) put('-');
        char digits_room[10];
        const bool fits = length_ + static_cast<size_t>(digits) < capacity_;
        char* out = fits ? buffer_ + length_ : digits_room;
        // Two digits per division: the divisions are what a line costs.
        int i = digits;
        while (magnitude >= 100) {
            const unsigned pair = (magnitude % 100) * 2;
            magnitude /= 100;
            out[--i] = DIGIT_PAIRS[pair + 1];
            out[--i] = DIGIT_PAIRS[pair];
        }
        if (magnitude >= 10) {
            out[--i] = DIGIT_PAIRS[magnitude * 2 + 1];
            out[--i] = DIGIT_PAIRS[magnitude * 2];
        } else {
            out[--i] = static_cast<char>('0' + magnitude);
        }
        if (fits) {
            length_ += static_cast<size_t>(digits);
        } else {
            for (int k = 0; k < digits; ++k) put(digits_room[k]);
        }
    }

    void put(char c) {
        if (length_ + 1 < capacity_) buffer_[length_] = c;
        ++length_;
    }

    char* buffer_;
    size_t capacity_;
    size_t length_ = 0;
};

// "* %d %d %s": only a record with a description has one.
void description_suffix(LineBuilder& line, const DescriptionHead& d) {
    if (d.width == 0) return;
    line.word("* ");
    line.number(d.x);
    line.space();
    line.number(d.y);
    line.space();
    line.text(d.text != nullptr ? d.text : "");
}

size_t build_component_line(char* buffer, size_t capacity, const ComponentRecord* c) {
    LineBuilder line(buffer, capacity);
    const CatalogEntry& e = shape_catalog[c->entry];
    if (e.kind == KIND_TEXT) {
        // A text's anchor follows its text position, so only that is stored.
        line.word("TEXT ");
    } else {
        line.word(e.name);
        line.space();
        line.number(e.variant);
        line.space();
        line.number(c->ax / 5);
        line.space();
        line.number(c->ay / 5);
        line.space();
    }
    description_suffix(line, c->desc);
    return line.finish();
}

size_t build_wire_line(char* buffer, size_t capacity, const WireRecord* w) {
    LineBuilder line(buffer, capacity);
    // The row's own name, so that the second "WIRE" row is stored as "XTAL".
    const CatalogEntry& e = shape_catalog[w->entry];
    line.word(e.name);
    line.space();
    line.number(e.variant);
    for (int v : {w->x1, w->y1, w->x2, w->y2}) {
        line.space();
        line.number(v / 5);
    }
    line.space();
    description_suffix(line, w->desc);
    return line.finish();
}

int fitted(size_t length, size_t capacity) {
    return length < capacity ? static_cast<int>(length) : -1;
}

// Formats into a stack buffer and, for a line longer than that, again
// into a string of the exact size.
template <typename Record>
std::string whole_line(size_t (*build)(char*, size_t, const Record*), const Record* r) {
    char buffer[BOARD_LINE_SIZE];
    const size_t length = build(buffer, sizeof buffer, r);
    if (length < sizeof buffer) return std::string(buffer, length);
    std::string line(length, '\0');
    build(line.data(), length + 1, r);
    return line;
}

}  // namespace

int format_component_line(char* buffer, size_t capacity, const ComponentRecord* c) {
    return fitted(build_component_line(buffer, capacity, c), capacity);
}

int format_wire_line(char* buffer, size_t capacity, const WireRecord* w) {
    return fitted(build_wire_line(buffer, capacity, w), capacity);
}

int format_cell_line(char* buffer, size_t capacity, int row, int column) {
    // The column's parity alone says what the position is.
    LineBuilder line(buffer, capacity);
    line.word(column % 2 != 0 ? "CUT" : "BRIDGE");
    line.space();
    line.number(column);
    line.space();
    line.number(row);
    return fitted(line.finish(), capacity);
}

int format_strip_line(char* buffer, size_t capacity, int row, int first_column, int last_column) {
    LineBuilder line(buffer, capacity);
    line.word("STRIP");
    line.space();
    line.number(first_column);
    line.space();
    line.number(last_column);
    line.space();
    line.number(row);
    return fitted(line.finish(), capacity);
}

std::string component_line(const ComponentRecord* c) { return whole_line(build_component_line, c); }

std::string wire_line(const WireRecord* w) { return whole_line(build_wire_line, w); }
