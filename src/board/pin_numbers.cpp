// Pin numbering of DIL, SIL, transistor and two-terminal parts.
//
// DIL: counter-clockwise seen from the component side, from pin 1 beside
// the notch: top left when the notch is at the top (even variants), bottom
// right when it is at the bottom (odd variants). SIL: from the anchor.
// Transistors: by the function the drawn symbol gives each lead.
#include "board/pin_numbers.h"

#include <cstring>

#include "board/catalog.h"

namespace {

// The function of each pin, in component_pins order, for variants 0 to 15.
// Variants 0, 4, 8 and 12 carry their own symbols; the others show one of
// those mirrored, flipped or turned, and their letters follow the picture.
const char* const NPN_FUNCTIONS[16] = {
    "BCE", "BEC", "CBE", "ECB", "CBE", "EBC", "CBE", "EBC",
    "CBE", "EBC", "CBE", "EBC", "CBE", "EBC", "CBE", "EBC",
};
const char* const PNP_FUNCTIONS[16] = {
    "EBC", "BCE", "EBC", "CEB", "EBC", "CBE", "EBC", "CBE",
    "EBC", "CBE", "EBC", "CBE", "EBC", "CBE", "EBC", "CBE",
};

bool name_is(int entry, const char* name) { return std::strcmp(shape_catalog[entry].name, name) == 0; }

int function_number(char letter) {
    switch (letter) {
        case 'E': return PIN_EMITTER;
        case 'B': return PIN_BASE;
        case 'C': return PIN_COLLECTOR;
        default: return 0;
    }
}

bool valid_entry(int entry) { return entry >= 0 && entry < CATALOG_ROWS; }

}  // namespace

PartClass component_part_class(int entry) {
    if (!valid_entry(entry) || shape_catalog[entry].kind != KIND_COMPONENT) return PART_NONE;
    if (entry_is_dil(entry)) return PART_DIL;
    if (entry_is_sil(entry)) return PART_SIL;
    if (name_is(entry, "NPN") || name_is(entry, "PNP")) return PART_TRANSISTOR;
    return PART_NONE;
}

PartClass wire_part_class(int entry, int plain_wire_type) {
    if (!valid_entry(entry) || entry == plain_wire_type || shape_catalog[entry].kind != KIND_WIRE)
        return PART_NONE;
    if (name_is(entry, "XTAL")) return PART_CRYSTAL;
    if (name_is(entry, "RES")) return PART_RESISTOR;
    if (name_is(entry, "CAP")) return shape_catalog[entry].variant == 1 ? PART_ELECTROLYTIC : PART_CAPACITOR;
    if (name_is(entry, "IND")) return PART_INDUCTOR;
    if (name_is(entry, "DIODE")) return PART_DIODE;
    return PART_NONE;  // another row of the plain wire's group
}

int component_pin_number(int entry, int index) {
    if (!valid_entry(entry) || index < 0) return 0;
    const CatalogEntry& e = shape_catalog[entry];
    const int n = e.pin_count;
    if (index >= n) return 0;
    switch (component_part_class(entry)) {
        case PART_DIL: {
            // component_pins walks the rows from the bottom, left pin first.
            const int rows = n / 2;
            const int from_top = rows - 1 - index / 2;
            const bool left = index % 2 == 0;
            if (e.variant % 2 == 0) return left ? from_top + 1 : n - from_top;
            return left ? rows + 1 + from_top : rows - from_top;
        }
        case PART_SIL:
            return n - index;  // the last pin yielded first
        case PART_TRANSISTOR: {
            if (e.variant < 0 || e.variant >= 16 || index >= 3) return 0;
            const char* letters = name_is(entry, "NPN") ? NPN_FUNCTIONS[e.variant] : PNP_FUNCTIONS[e.variant];
            return function_number(letters[index]);
        }
        default:
            return 0;
    }
}

int wire_end_pin_number(int entry, int end) {
    // A diode's cathode is pin 1; its bar faces the second end.
    if (valid_entry(entry) && name_is(entry, "DIODE")) return end == 1 ? 2 : 1;
    return end == 1 ? 1 : 2;
}

bool pins_interchangeable(PartClass part) {
    return part == PART_RESISTOR || part == PART_CAPACITOR || part == PART_INDUCTOR || part == PART_CRYSTAL;
}

int transistor_pin_for_function(const std::string& function) {
    if (function.size() != 1) return 0;
    char c = function[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return function_number(c);
}
