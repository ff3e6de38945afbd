#pragma once
// The constant catalog of wire types, component shapes and file keywords.
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

// variant < 0 means any variant.
CatalogMatch catalog_lookup(const char* name, int variant);
int default_variant(const char* name);
int wire_entry_for_letter(char letter);

enum VariantField {
    FIELD_MIRROR,
    FIELD_FLIP,
    FIELD_ROTATE,
    FIELD_NEXT,
    FIELD_PREV,
};
int variant_entry(int entry, VariantField field);

struct EntryShape {
    const ShapeBitmap* shape;  // null: nothing drawn
    int orientation;
};
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

// Helpers on names.
bool entry_is_dil(int entry);
bool entry_is_sil(int entry);
bool entry_is_text(int entry);
