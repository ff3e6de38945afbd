#pragma once
// The constant catalog of wire types, component shapes and file keywords.
#include <cstddef>
#include <cstdint>
#include "graphics/shape.h"

enum ElementKind {
    KIND_TEXT = 0,
    KIND_COMPONENT = 1,
    KIND_WIRE = 2,
    KIND_VERSION = 3,
    KIND_LETTER_WIRE = 4,
    KIND_CUT = 5,
    KIND_BRIDGE = 6,
    KIND_STRIP = 7,
};

struct PinOffset {
    int32_t dx, dy;
};

struct CatalogEntry {
    const char* name;  // null in the end row
    int32_t kind;
    int32_t variant;
    int32_t mirror_variant;
    int32_t flip_variant;
    int32_t rotate_variant;
    int32_t next_variant;
    int32_t prev_variant;
    int32_t pin_count;
    int32_t box_x0, box_y0, box_x1, box_y1;
    int32_t text_dx, text_dy;
    const PinOffset* pins;     // pin_count pairs, or null
    const ShapeBitmap* shape;  // own picture, or null
};

struct ShapeAlias {
    const char* name;  // null in the end row
    int32_t variant;   // -1: any variant
    const char* target_name;
    int32_t target_variant;
    int32_t dx, dy;
};

constexpr int CATALOG_ROWS = 118;
constexpr int ALIAS_ROWS = 53;

extern const CatalogEntry shape_catalog[CATALOG_ROWS + 1];
extern const ShapeAlias alias_table[ALIAS_ROWS + 1];

// Picture of the DIL outline's notch.
extern const ShapeBitmap dil_notch;

struct CatalogMatch {
    int entry;  // -1 when not found
    int dx, dy; // anchor shift from an alias
};

// The catalog row of a name (exact, letter case counts) and variant, an
// alias leading to its target with the anchor shift; variant < 0 takes the
// name's default variant. entry -1 for an unknown name or variant.
CatalogMatch catalog_lookup(const char* name, int variant);

// The longest name of either table, in bytes.
constexpr size_t CATALOG_NAME_MAX = 8;

// A name found once, so that a reader that needs several variants of it
// (the keyword, then the variant its line names) finds it only once.
struct CatalogName {
    int16_t first_row;    // -1: not a catalog name
    int16_t first_alias;  // -1: not an alias name
    int8_t kind;          // the ElementKind of catalog_lookup_name(name, -1); -1 when that finds no row
};
CatalogName catalog_find_name(const char* name);
// The same find for the first length bytes at word (not terminated; a
// NUL among them is no name).
CatalogName catalog_find_word(const char* word, size_t length);
// The same find for a word's key, made from 0 by adding its bytes in
// order, so that a reader can make it while it walks the word.
constexpr uint64_t catalog_key_add(uint64_t key, char c) { return key << 8 | static_cast<unsigned char>(c); }
CatalogName catalog_find_key(uint64_t key, size_t length);
// The same answer as catalog_lookup of the name that was found.
CatalogMatch catalog_lookup_name(CatalogName name, int variant);
// The variant a name gets when none is asked for: 2 for DIL24 and DIL28
// (the wide packages), else 0.
int default_variant(const char* name);
// The wire type a letter key gives a selected wire (C, E, D, I, L, R, S,
// W, X, Z; upper case); -1 for any other letter.
int wire_entry_for_letter(char letter);

enum VariantField {
    FIELD_MIRROR,
    FIELD_FLIP,
    FIELD_ROTATE,
    FIELD_NEXT,
    FIELD_PREV,
};
// The row of the same name whose variant the field names (the mirrored,
// flipped, rotated, next or previous one); -1 for an invalid entry.
int variant_entry(int entry, VariantField field);

struct EntryShape {
    const ShapeBitmap* shape;  // null: nothing drawn
    int orientation;
};
// What a row draws: its own picture, else a twin's (mirror, flip, rotate
// in that order) turned to fit; {null, ORIENT_AS_STORED} when neither.
EntryShape entry_shape(int entry);

// Pin positions of a component of that entry anchored at (ax, ay), in the
// fixed order; returns the count written (at most max_pins).
constexpr int MAX_PINS = 40;
struct PinList {
    int count;
    int x[MAX_PINS];
    int y[MAX_PINS];
};
PinList component_pins(int entry, int ax, int ay);

// The row's kind by its name (DIL..., SIL..., TEXT); false for an invalid entry.
bool entry_is_dil(int entry);
bool entry_is_sil(int entry);
bool entry_is_text(int entry);
