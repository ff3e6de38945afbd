// The constant catalog of wire types, component shapes and file keywords,
// the table of alternative names, and the lookups over both.
#include "board/catalog.h"

#include <cstddef>
#include <cstring>
#include <string_view>

#include "board/catalog_pictures.h"

namespace {

// Transistor pin patterns, one per variant. Variants 4 and up are the same
// for both polarities; the compact variants 0 to 3 differ.
constexpr PinOffset npn_pins_0[3] = {{0, 0}, {10, 0}, {10, 10}};
constexpr PinOffset npn_pins_1[3] = {{0, 10}, {10, 0}, {10, 10}};
constexpr PinOffset npn_pins_2[3] = {{0, 0}, {10, 0}, {0, 10}};
constexpr PinOffset npn_pins_3[3] = {{0, 0}, {0, 10}, {10, 10}};
constexpr PinOffset pnp_pins_0[3] = {{10, 0}, {0, 10}, {10, 10}};
constexpr PinOffset pnp_pins_1[3] = {{0, 0}, {10, 0}, {10, 10}};
constexpr PinOffset pnp_pins_2[3] = {{0, 0}, {10, 10}, {0, 10}};
constexpr PinOffset pnp_pins_3[3] = {{0, 0}, {0, 10}, {10, 0}};
constexpr PinOffset right_column_pins[3] = {{10, 0}, {10, 10}, {10, 20}};
constexpr PinOffset left_column_pins[3] = {{0, 0}, {0, 10}, {0, 20}};
constexpr PinOffset zigzag_left_pins[3] = {{10, 0}, {0, 10}, {10, 20}};
constexpr PinOffset zigzag_right_pins[3] = {{0, 0}, {10, 10}, {0, 20}};

constexpr CatalogEntry keyword_row(const char* name, int32_t kind) {
    return {name, kind, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr};
}

struct TransistorVariant {
    int32_t mirror, flip, rotate, npn_next, npn_prev, pnp_next, pnp_prev;
};

// Variant fields shared by both polarities except the cycles: the NPN cycle
// steps through all sixteen, the PNP cycle only through the four that have
// a picture of their own.
constexpr TransistorVariant transistor_variants[16] = {
    {2, 1, 3, 1, 15, 4, 12},   {3, 0, 2, 2, 0, 4, 12},    {0, 3, 1, 3, 1, 4, 12},
    {1, 2, 0, 4, 2, 4, 12},    {6, 5, 7, 5, 3, 8, 0},     {7, 4, 6, 6, 4, 8, 0},
    {4, 7, 5, 7, 5, 8, 0},     {5, 6, 4, 8, 6, 8, 0},     {10, 9, 11, 9, 7, 12, 4},
    {11, 8, 10, 10, 8, 12, 4}, {8, 11, 9, 11, 9, 12, 4},  {9, 10, 8, 12, 10, 12, 4},
    {14, 13, 15, 13, 11, 0, 8}, {15, 12, 14, 14, 12, 0, 8}, {12, 15, 13, 15, 13, 0, 8},
    {13, 14, 12, 0, 14, 0, 8},
};

constexpr CatalogEntry transistor_row(const char* name, bool npn, int32_t v,
                                      const PinOffset* pins, const ShapeBitmap* shape) {
    const TransistorVariant& t = transistor_variants[v];
    const bool tall = v >= 4;
    const bool text_right = v >= 4 && v < 12;
    return {name,
            KIND_COMPONENT,
            v,
            t.mirror,
            t.flip,
            t.rotate,
            npn ? t.npn_next : t.pnp_next,
            npn ? t.npn_prev : t.pnp_prev,
            3,
            -2,
            -2,
            12,
            tall ? 22 : 12,
            text_right ? 12 : 2,
            text_right ? 8 : -2,
            pins,
            shape};
}

constexpr CatalogEntry npn_row(int32_t v, const PinOffset* pins, const ShapeBitmap* shape) {
    return transistor_row("NPN", true, v, pins, shape);
}

constexpr CatalogEntry pnp_row(int32_t v, const PinOffset* pins, const ShapeBitmap* shape) {
    return transistor_row("PNP", false, v, pins, shape);
}

constexpr CatalogEntry sil_row(const char* name, int32_t n) {
    return {name, KIND_COMPONENT, 0, 0, 0, 0, 0, 0, n, 0, 0, 0, 10 * (n - 1), 0, 0,
            nullptr, nullptr};
}

// Two-row DIL groups: variant 0 has the notch at the top, 1 at the bottom.
constexpr CatalogEntry dil_pair_row(const char* name, int32_t n, int32_t v, int32_t width) {
    const int32_t other = 1 - v;
    return {name, KIND_COMPONENT, v, v, other, other, other, other, n,
            0, 0, width, 10 * (n / 2 - 1), 0, 0, nullptr, nullptr};
}

// Four-row DIL groups: variants 0 and 1 are the wide package (rows 60
// apart), 2 and 3 the narrow one (30 apart); the cycle swaps width.
constexpr CatalogEntry dil_quad_row(const char* name, int32_t n, int32_t v) {
    const int32_t flipped = v ^ 1;
    const int32_t other_width = (v + 2) % 4;
    return {name, KIND_COMPONENT, v, v, flipped, flipped, other_width, other_width, n,
            0, 0, v < 2 ? 60 : 30, 10 * (n / 2 - 1), 0, 0, nullptr, nullptr};
}

constexpr CatalogEntry wire_row(const char* name, int32_t v, int32_t next, int32_t prev,
                                const ShapeBitmap* shape) {
    return {name, KIND_WIRE, v, 0, 0, 0, next, prev, 0, 0, 0, 0, 0, 0, 0, nullptr, shape};
}

}  // namespace

constexpr CatalogEntry shape_catalog[CATALOG_ROWS + 1] = {
    {"TEXT", KIND_TEXT, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, -2, 0, nullptr, nullptr},
    keyword_row("VERSION", KIND_VERSION),
    keyword_row("CUT", KIND_CUT),
    keyword_row("BRIDGE", KIND_BRIDGE),
    keyword_row("STRIP", KIND_STRIP),
    keyword_row("R", KIND_LETTER_WIRE),
    keyword_row("C", KIND_LETTER_WIRE),
    keyword_row("E", KIND_LETTER_WIRE),
    keyword_row("L", KIND_LETTER_WIRE),
    keyword_row("D", KIND_LETTER_WIRE),
    keyword_row("I", KIND_LETTER_WIRE),
    keyword_row("S", KIND_LETTER_WIRE),
    keyword_row("Z", KIND_LETTER_WIRE),
    keyword_row("W", KIND_LETTER_WIRE),
    keyword_row("X", KIND_LETTER_WIRE),

    npn_row(0, npn_pins_0, &npn_picture_0),
    npn_row(1, npn_pins_1, nullptr),
    npn_row(2, npn_pins_2, nullptr),
    npn_row(3, npn_pins_3, nullptr),
    npn_row(4, right_column_pins, &npn_picture_4),
    npn_row(5, right_column_pins, nullptr),
    npn_row(6, left_column_pins, nullptr),
    npn_row(7, left_column_pins, nullptr),
    npn_row(8, zigzag_left_pins, &npn_picture_8),
    npn_row(9, zigzag_left_pins, nullptr),
    npn_row(10, zigzag_right_pins, nullptr),
    npn_row(11, zigzag_right_pins, nullptr),
    npn_row(12, left_column_pins, &npn_picture_12),
    npn_row(13, left_column_pins, nullptr),
    npn_row(14, right_column_pins, nullptr),
    npn_row(15, right_column_pins, nullptr),

    pnp_row(0, pnp_pins_0, &pnp_picture_0),
    pnp_row(1, pnp_pins_1, nullptr),
    pnp_row(2, pnp_pins_2, nullptr),
    pnp_row(3, pnp_pins_3, nullptr),
    pnp_row(4, right_column_pins, &pnp_picture_4),
    pnp_row(5, right_column_pins, nullptr),
    pnp_row(6, left_column_pins, nullptr),
    pnp_row(7, left_column_pins, nullptr),
    pnp_row(8, zigzag_left_pins, &pnp_picture_8),
    pnp_row(9, zigzag_left_pins, nullptr),
    pnp_row(10, zigzag_right_pins, nullptr),
    pnp_row(11, zigzag_right_pins, nullptr),
    pnp_row(12, left_column_pins, &pnp_picture_12),
    pnp_row(13, left_column_pins, nullptr),
    pnp_row(14, right_column_pins, nullptr),
    pnp_row(15, right_column_pins, nullptr),

    sil_row("SIL1", 1),
    sil_row("SIL2", 2),
    sil_row("SIL3", 3),
    sil_row("SIL4", 4),
    sil_row("SIL5", 5),
    sil_row("SIL6", 6),
    sil_row("SIL7", 7),
    sil_row("SIL8", 8),
    sil_row("SIL9", 9),
    sil_row("SIL10", 10),
    sil_row("SIL11", 11),
    sil_row("SIL12", 12),
    sil_row("SIL13", 13),
    sil_row("SIL14", 14),
    sil_row("SIL15", 15),
    sil_row("SIL16", 16),
    sil_row("SIL17", 17),
    sil_row("SIL18", 18),
    sil_row("SIL19", 19),
    sil_row("SIL20", 20),
    sil_row("SIL21", 21),
    sil_row("SIL22", 22),
    sil_row("SIL23", 23),
    sil_row("SIL24", 24),
    sil_row("SIL25", 25),
    sil_row("SIL26", 26),
    sil_row("SIL27", 27),
    sil_row("SIL28", 28),
    sil_row("SIL29", 29),
    sil_row("SIL30", 30),

    dil_pair_row("DIL4", 4, 0, 30),
    dil_pair_row("DIL4", 4, 1, 30),
    dil_pair_row("DIL6", 6, 0, 30),
    dil_pair_row("DIL6", 6, 1, 30),
    dil_pair_row("DIL8", 8, 0, 30),
    dil_pair_row("DIL8", 8, 1, 30),
    dil_pair_row("DIL10", 10, 0, 30),
    dil_pair_row("DIL10", 10, 1, 30),
    dil_pair_row("DIL12", 12, 0, 30),
    dil_pair_row("DIL12", 12, 1, 30),
    dil_pair_row("DIL14", 14, 0, 30),
    dil_pair_row("DIL14", 14, 1, 30),
    dil_pair_row("DIL16", 16, 0, 30),
    dil_pair_row("DIL16", 16, 1, 30),
    dil_pair_row("DIL18", 18, 0, 30),
    dil_pair_row("DIL18", 18, 1, 30),
    dil_pair_row("DIL20", 20, 0, 30),
    dil_pair_row("DIL20", 20, 1, 30),
    dil_pair_row("DIL22", 22, 0, 30),
    dil_pair_row("DIL22", 22, 1, 30),
    dil_quad_row("DIL24", 24, 0),
    dil_quad_row("DIL24", 24, 1),
    dil_quad_row("DIL24", 24, 2),
    dil_quad_row("DIL24", 24, 3),
    dil_quad_row("DIL28", 28, 0),
    dil_quad_row("DIL28", 28, 1),
    dil_quad_row("DIL28", 28, 2),
    dil_quad_row("DIL28", 28, 3),
    dil_pair_row("DIL40", 40, 0, 60),
    dil_pair_row("DIL40", 40, 1, 60),

    wire_row("WIRE", 0, 1, 1, &wire_picture),
    wire_row("XTAL", 1, 0, 0, &xtal_picture),
    wire_row("RES", 0, 1, 1, &resistor_picture),
    wire_row("RES", 1, 0, 0, &resistor_filled_picture),
    wire_row("CAP", 0, 1, 1, &capacitor_picture),
    wire_row("CAP", 1, 0, 0, &capacitor_polar_picture),
    wire_row("IND", 0, 0, 0, &inductor_picture),
    wire_row("DIODE", 0, 1, 3, &diode_picture),
    wire_row("DIODE", 1, 2, 0, &diode_circled_picture),
    wire_row("DIODE", 2, 3, 1, &diode_bent_bar_picture),
    wire_row("DIODE", 3, 0, 2, &diode_hooked_bar_picture),

    {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
};

constexpr ShapeAlias alias_table[ALIAS_ROWS + 1] = {
    {"NPN_2", 0, "NPN", 4, 0, -10},
    {"NPN_3", 0, "NPN", 8, 0, -10},
    {"NPN_4", 0, "NPN", 10, 0, -10},
    {"PNP_2", 0, "PNP", 4, 0, -10},
    {"PNP_3", 0, "PNP", 8, 0, -10},
    {"PNP_4", 0, "PNP", 10, 0, -10},
    {"DIP24S", 0, "DIL24", 2, 0, 0},
    {"DIP24S", 1, "DIL24", 3, 0, 0},
    {"DIP28S", 0, "DIL28", 2, 0, 0},
    {"DIP28S", 1, "DIL28", 3, 0, 0},
    {"SIP1", 0, "SIL1", 0, 0, 0},
    {"SIP2", 0, "SIL2", 0, 0, 0},
    {"SIP3", 0, "SIL3", 0, 0, 0},
    {"SIP4", 0, "SIL4", 0, 0, 0},
    {"SIP5", 0, "SIL5", 0, 0, 0},
    {"SIP6", 0, "SIL6", 0, 0, 0},
    {"SIP7", 0, "SIL7", 0, 0, 0},
    {"SIP8", 0, "SIL8", 0, 0, 0},
    {"SIP9", 0, "SIL9", 0, 0, 0},
    {"SIP10", 0, "SIL10", 0, 0, 0},
    {"SIP11", 0, "SIL11", 0, 0, 0},
    {"SIP12", 0, "SIL12", 0, 0, 0},
    {"SIP13", 0, "SIL13", 0, 0, 0},
    {"SIP14", 0, "SIL14", 0, 0, 0},
    {"SIP15", 0, "SIL15", 0, 0, 0},
    {"SIP16", 0, "SIL16", 0, 0, 0},
    {"SIP17", 0, "SIL17", 0, 0, 0},
    {"SIP18", 0, "SIL18", 0, 0, 0},
    {"SIP19", 0, "SIL19", 0, 0, 0},
    {"SIP20", 0, "SIL20", 0, 0, 0},
    {"SIP21", 0, "SIL21", 0, 0, 0},
    {"SIP22", 0, "SIL22", 0, 0, 0},
    {"SIP23", 0, "SIL23", 0, 0, 0},
    {"SIP24", 0, "SIL24", 0, 0, 0},
    {"SIP25", 0, "SIL25", 0, 0, 0},
    {"SIP26", 0, "SIL26", 0, 0, 0},
    {"SIP27", 0, "SIL27", 0, 0, 0},
    {"SIP28", 0, "SIL28", 0, 0, 0},
    {"SIP29", 0, "SIL29", 0, 0, 0},
    {"SIP30", 0, "SIL30", 0, 0, 0},
    {"DIP4", -1, "DIL4", 0, 0, 0},
    {"DIP6", -1, "DIL6", 0, 0, 0},
    {"DIP8", -1, "DIL8", 0, 0, 0},
    {"DIP10", -1, "DIL10", 0, 0, 0},
    {"DIP12", -1, "DIL12", 0, 0, 0},
    {"DIP14", -1, "DIL14", 0, 0, 0},
    {"DIP16", -1, "DIL16", 0, 0, 0},
    {"DIP18", -1, "DIL18", 0, 0, 0},
    {"DIP20", -1, "DIL20", 0, 0, 0},
    {"DIP22", -1, "DIL22", 0, 0, 0},
    {"DIP24", -1, "DIL24", 0, 0, 0},
    {"DIP28", -1, "DIL28", 0, 0, 0},
    {"DIP40", -1, "DIL40", 0, 0, 0},
    {nullptr, 0, nullptr, 0, 0, 0},
};

namespace {

constexpr int count_catalog_rows() {
    int n = 0;
    while (shape_catalog[n].name != nullptr) ++n;
    return n;
}

constexpr int count_alias_rows() {
    int n = 0;
    while (alias_table[n].name != nullptr) ++n;
    return n;
}

// Usable both at run time and while the indexes below are built.
constexpr bool same_name(const char* a, const char* b) { return std::string_view(a) == std::string_view(b); }

constexpr bool has_prefix(const char* name, const char* prefix) {
    return std::string_view(name).starts_with(prefix);
}

constexpr bool valid_entry(int entry) { return entry >= 0 && entry < CATALOG_ROWS; }

constexpr int group_size(int first) {
    int size = 0;
    while (first + size < CATALOG_ROWS && shape_catalog[first + size].variant == size) ++size;
    return size;
}

constexpr int first_catalog_row(const char* name) {
    for (int i = 0; i < CATALOG_ROWS; ++i)
        if (same_name(shape_catalog[i].name, name)) return i;
    return -1;
}

// Every line of a file asks the catalog for its first word, and the tables
// answer by their first matching row. So each distinct name of either table
// is indexed once, with the first catalog row and the first alias row of
// that name, and each alias row links to the next one of the same name:
// a lookup visits the rows the plain scans would stop at, in their order.
// No name is longer than a word, so a name is kept as its bytes packed
// into one, the first byte highest: without NULs, and the first byte never
// zero, no two names share a key. A probe is one multiply and one compare.
constexpr uint64_t no_key = 0;  // no name is empty

constexpr uint64_t name_key(const char* name, size_t length) {
    if (length == 0 || length > CATALOG_NAME_MAX) return no_key;
    uint64_t key = 0;
    for (size_t i = 0; i < length; ++i) {
        if (name[i] == '\0') return no_key;  // a name never holds a NUL
        key = catalog_key_add(key, name[i]);
    }
    return key;
}

// Not constant: reaching it stops the build.
uint64_t catalog_name_longer_than_CATALOG_NAME_MAX() { return no_key; }

constexpr uint64_t table_name_key(const char* name) {
    const size_t length = std::string_view(name).size();
    // A longer name would never be found.
    if (length > CATALOG_NAME_MAX) return catalog_name_longer_than_CATALOG_NAME_MAX();
    return name_key(name, length);
}

constexpr int NAME_SLOTS = 256;  // a power of two, above twice the distinct names

constexpr int first_slot(uint64_t key) {
    return static_cast<int>((key * 0x9E3779B97F4A7C15u) >> 56) & (NAME_SLOTS - 1);
}

// Key, rows and kind side by side, so a line's keyword costs one cache line.
struct NameSlot {
    uint64_t key;  // no_key: a free slot
    CatalogName found;
};

constexpr CatalogName not_found{-1, -1, -1};

struct CatalogIndex {
    NameSlot slots[NAME_SLOTS];
    int16_t next_alias[ALIAS_ROWS];    // the next alias row of the same name, or -1
    int16_t alias_target[ALIAS_ROWS];  // first catalog row of the target name, or -1
    int16_t group_first[CATALOG_ROWS];
    int16_t group_rows[CATALOG_ROWS];  // size of the row's variant group
    int16_t default_variant[CATALOG_ROWS];
    bool is_dil[CATALOG_ROWS];
    bool is_sil[CATALOG_ROWS];
    bool is_text[CATALOG_ROWS];
};

constexpr int default_variant_of(const char* name) {
    return same_name(name, "DIL24") || same_name(name, "DIL28") ? 2 : 0;
}

constexpr NameSlot& name_slot(CatalogIndex& index, const char* name) {
    const uint64_t key = table_name_key(name);
    int i = first_slot(key);
    while (index.slots[i].key != no_key && index.slots[i].key != key) i = (i + 1) & (NAME_SLOTS - 1);
    if (index.slots[i].key == no_key) index.slots[i] = NameSlot{key, not_found};
    return index.slots[i];
}

// The row a found name and variant give (variant < 0: the default one),
// with the alias's anchor shift.
constexpr CatalogMatch match_in(const CatalogIndex& index, int16_t first_row, int16_t first_alias, int variant) {
    int row = first_row;
    int dx = 0, dy = 0;
    for (int a = first_alias; a >= 0; a = index.next_alias[a]) {
        const ShapeAlias& alias = alias_table[a];
        if (variant >= 0 && alias.variant >= 0 && alias.variant != variant) continue;
        row = index.alias_target[a];
        if (variant >= 0 && alias.variant >= 0) variant = alias.target_variant;
        dx = alias.dx;
        dy = alias.dy;
        break;
    }
    int entry = -1;
    if (row >= 0) {
        if (variant < 0) variant = index.default_variant[row];
        if (variant < index.group_rows[row]) entry = index.group_first[row] + variant;
    }
    return CatalogMatch{entry, dx, dy};
}

constexpr CatalogIndex build_catalog_index() {
    CatalogIndex index{};
    for (int i = 0; i < CATALOG_ROWS; ++i) {
        const char* name = shape_catalog[i].name;
        CatalogName& found = name_slot(index, name).found;
        if (found.first_row < 0) found.first_row = static_cast<int16_t>(i);
        const int first = i - shape_catalog[i].variant;
        index.group_first[i] = static_cast<int16_t>(first);
        index.group_rows[i] = static_cast<int16_t>(group_size(first));
        index.default_variant[i] = static_cast<int16_t>(default_variant_of(name));
        index.is_dil[i] = has_prefix(name, "DIL");
        index.is_sil[i] = has_prefix(name, "SIL");
        index.is_text[i] = same_name(name, "TEXT");
    }
    for (int a = ALIAS_ROWS - 1; a >= 0; --a) {
        CatalogName& found = name_slot(index, alias_table[a].name).found;
        index.next_alias[a] = found.first_alias;
        found.first_alias = static_cast<int16_t>(a);
        index.alias_target[a] = static_cast<int16_t>(first_catalog_row(alias_table[a].target_name));
    }
    for (NameSlot& slot : index.slots) {
        if (slot.key == no_key) continue;
        const int entry = match_in(index, slot.found.first_row, slot.found.first_alias, -1).entry;
        slot.found.kind = static_cast<int8_t>(entry >= 0 ? shape_catalog[entry].kind : -1);
    }
    return index;
}

constexpr CatalogIndex catalog_index = build_catalog_index();

const NameSlot* find_key(uint64_t key) {
    if (key == no_key) return nullptr;
    for (int i = first_slot(key); catalog_index.slots[i].key != no_key; i = (i + 1) & (NAME_SLOTS - 1))
        if (catalog_index.slots[i].key == key) return &catalog_index.slots[i];
    return nullptr;
}

// The answer built in registers: assembled field by field, GCC writes the
// fields to the stack and reads them back as one word, which stalls the
// store forwarding on every lookup of a load.
CatalogMatch make_match(int entry, int dx, int dy) {
    static_assert(sizeof(CatalogMatch) == 12 && offsetof(CatalogMatch, dx) == 4);
    const uint64_t first_two = static_cast<uint32_t>(entry) | static_cast<uint64_t>(static_cast<uint32_t>(dx)) << 32;
    CatalogMatch match;
    std::memcpy(&match, &first_two, sizeof first_two);
    match.dy = dy;
    return match;
}

}  // namespace

static_assert(count_catalog_rows() == CATALOG_ROWS, "catalog row count");
static_assert(count_alias_rows() == ALIAS_ROWS, "alias row count");

CatalogName catalog_find_word(const char* word, size_t length) {
    // The slot's answer is copied whole: built field by field, it would be
    // stored to the stack and read back as one word, stalling every line.
    const NameSlot* slot = word != nullptr ? find_key(name_key(word, length)) : nullptr;
    return slot != nullptr ? slot->found : not_found;
}

CatalogName catalog_find_key(uint64_t key, size_t length) {
    if (length == 0 || length > CATALOG_NAME_MAX) return not_found;
    // A NUL first would leave the key of the rest; one further on makes a
    // zero byte, which no name's key has.
    if ((key >> (8 * (length - 1))) == 0) return not_found;
    const NameSlot* slot = find_key(key);
    return slot != nullptr ? slot->found : not_found;
}

CatalogName catalog_find_name(const char* name) {
    // Beyond the longest name nothing is found; no need to measure all of it.
    size_t length = 0;
    if (name != nullptr)
        while (length <= CATALOG_NAME_MAX && name[length] != '\0') ++length;
    return catalog_find_word(name, length);
}

CatalogMatch catalog_lookup(const char* name, int variant) { return catalog_lookup_name(catalog_find_name(name), variant); }

CatalogMatch catalog_lookup_name(CatalogName name, int variant) {
    const CatalogMatch match = match_in(catalog_index, name.first_row, name.first_alias, variant);
    return make_match(match.entry, match.dx, match.dy);
}

int default_variant(const char* name) { return name != nullptr ? default_variant_of(name) : 0; }

int wire_entry_for_letter(char letter) {
    const char* name = nullptr;
    int variant = 0;
    switch (letter) {
        case 'C': name = "CAP"; break;
        case 'E': name = "CAP"; variant = 1; break;
        case 'D': name = "DIODE"; break;
        case 'I': name = "DIODE"; variant = 1; break;
        case 'L': name = "IND"; break;
        case 'R': name = "RES"; break;
        case 'S': name = "DIODE"; variant = 3; break;
        case 'W': name = "WIRE"; break;
        case 'X': name = "WIRE"; variant = 1; break;
        case 'Z': name = "DIODE"; variant = 2; break;
        default: return -1;
    }
    return catalog_lookup(name, variant).entry;
}

int variant_entry(int entry, VariantField field) {
    if (!valid_entry(entry)) return -1;
    const CatalogEntry& e = shape_catalog[entry];
    int target = e.variant;
    switch (field) {
        case FIELD_MIRROR: target = e.mirror_variant; break;
        case FIELD_FLIP: target = e.flip_variant; break;
        case FIELD_ROTATE: target = e.rotate_variant; break;
        case FIELD_NEXT: target = e.next_variant; break;
        case FIELD_PREV: target = e.prev_variant; break;
    }
    return entry - e.variant + target;
}

EntryShape entry_shape(int entry) {
    if (!valid_entry(entry)) return {nullptr, ORIENT_AS_STORED};
    const CatalogEntry& e = shape_catalog[entry];
    if (e.shape != nullptr) return {e.shape, ORIENT_AS_STORED};
    // Only the row's own twins are consulted, never a twin of a twin.
    const struct {
        VariantField field;
        int orientation;
    } twins[] = {{FIELD_MIRROR, ORIENT_MIRROR_LR},
                 {FIELD_FLIP, ORIENT_FLIP_TB},
                 {FIELD_ROTATE, ORIENT_HALF_TURN}};
    for (const auto& twin : twins) {
        const int other = variant_entry(entry, twin.field);
        if (valid_entry(other) && shape_catalog[other].shape != nullptr)
            return {shape_catalog[other].shape, twin.orientation};
    }
    return {nullptr, ORIENT_AS_STORED};
}

PinList component_pins(int entry, int ax, int ay) {
    // Only the first count pins are ever read; every component's pins are
    // listed twice per load, so the rest of the arrays is left unfilled.
    PinList list;
    list.count = 0;
    if (!valid_entry(entry)) return list;
    const CatalogEntry& e = shape_catalog[entry];
    auto add = [&list](int x, int y) {
        if (list.count >= MAX_PINS) return;
        list.x[list.count] = x;
        list.y[list.count] = y;
        ++list.count;
    };
    if (entry_is_dil(entry)) {
        // Bottom row first, left pin before right pin.
        for (int y = e.box_y1; y >= 0; y -= 10) {
            add(ax, ay + y);
            add(ax + e.box_x1, ay + y);
        }
    } else if (entry_is_sil(entry)) {
        for (int y = e.box_y1; y >= 0; y -= 10) add(ax, ay + y);
    } else if (!entry_is_text(entry) && e.pins != nullptr) {
        for (int i = 0; i < e.pin_count; ++i) add(ax + e.pins[i].dx, ay + e.pins[i].dy);
    }
    return list;
}

bool entry_is_dil(int entry) { return valid_entry(entry) && catalog_index.is_dil[entry]; }

bool entry_is_sil(int entry) { return valid_entry(entry) && catalog_index.is_sil[entry]; }

bool entry_is_text(int entry) { return valid_entry(entry) && catalog_index.is_text[entry]; }
