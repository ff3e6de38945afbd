// Pin numbers of every catalog shape family in every variant.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "board/catalog.h"
#include "board/objects.h"
#include "board/pin_numbers.h"

namespace {

bool named(int entry, const char* prefix) {
    return std::strncmp(shape_catalog[entry].name, prefix, std::strlen(prefix)) == 0;
}

// Numbers of the pins of an entry anchored at (100, 100), by position.
std::vector<std::pair<int, std::pair<int, int>>> numbered_pins(int entry) {
    const PinList pins = component_pins(entry, 100, 100);
    std::vector<std::pair<int, std::pair<int, int>>> out;
    for (int k = 0; k < pins.count; ++k) out.push_back({component_pin_number(entry, k), {pins.x[k], pins.y[k]}});
    std::sort(out.begin(), out.end());
    return out;
}

void expect_numbers_one_to_n(int entry) {
    const auto pins = numbered_pins(entry);
    for (size_t i = 0; i < pins.size(); ++i)
        EXPECT_EQ(pins[i].first, static_cast<int>(i) + 1) << shape_catalog[entry].name << " " << shape_catalog[entry].variant;
}

TEST(PinNumbers, DilPinsRunCounterClockwiseFromTheNotch) {
    int dils = 0;
    for (int entry = 0; entry < CATALOG_ROWS; ++entry) {
        if (!named(entry, "DIL")) continue;
        ++dils;
        const CatalogEntry& e = shape_catalog[entry];
        SCOPED_TRACE(std::string(e.name) + " variant " + std::to_string(e.variant));
        EXPECT_EQ(component_part_class(entry), PART_DIL);
        expect_numbers_one_to_n(entry);
        const auto pins = numbered_pins(entry);
        const bool notch_at_top = e.variant % 2 == 0;
        // Pin 1 and the last pin sit beside the notch, pin 1 on its left as
        // seen with the notch pointing away from the viewer.
        const int notch_row = notch_at_top ? 100 : 100 + e.box_y1;
        EXPECT_EQ(pins.front().second, std::make_pair(notch_at_top ? 100 : 100 + e.box_x1, notch_row));
        EXPECT_EQ(pins.back().second.second, notch_row);
        // Seen from the drawn side (y grows downwards) the angle around the
        // package's centre grows steadily from pin 1 on.
        const double cx = 100 + e.box_x1 / 2.0, cy = 100 + e.box_y1 / 2.0;
        double previous = -1;
        const double start = std::atan2(-(pins.front().second.second - cy), pins.front().second.first - cx);
        for (const auto& [number, at] : pins) {
            double angle = std::atan2(-(at.second - cy), at.first - cx) - start;
            while (angle < 0) angle += 2 * M_PI;
            EXPECT_GT(angle, previous) << "pin " << number;
            previous = angle;
        }
        // Flipping turns the notch round and with it the numbering.
        const int flipped = variant_entry(entry, FIELD_FLIP);
        EXPECT_NE(shape_catalog[flipped].variant % 2, e.variant % 2);
        EXPECT_EQ(variant_entry(entry, FIELD_MIRROR), entry);
    }
    EXPECT_EQ(dils, 2 * 10 + 4 + 4 + 2);
}

TEST(PinNumbers, DilSpotChecks) {
    // A DIL8 with its notch at the top: pins 1-4 down the left column.
    const int top = catalog_lookup("DIL8", 0).entry;
    const int bottom = catalog_lookup("DIL8", 1).entry;
    const auto a = numbered_pins(top), b = numbered_pins(bottom);
    EXPECT_EQ(a[3].second, std::make_pair(100, 130));  // pin 4 bottom left
    EXPECT_EQ(a[4].second, std::make_pair(130, 130));  // pin 5 bottom right
    EXPECT_EQ(a[7].second, std::make_pair(130, 100));  // pin 8 top right
    EXPECT_EQ(b[0].second, std::make_pair(130, 130));  // notch at the bottom: pin 1 bottom right
    EXPECT_EQ(b[3].second, std::make_pair(130, 100));
    EXPECT_EQ(b[4].second, std::make_pair(100, 100));
    const int narrow28 = catalog_lookup("DIL28", 3).entry;  // narrow, notch at the bottom
    EXPECT_EQ(numbered_pins(narrow28)[0].second, std::make_pair(130, 230));
    EXPECT_EQ(component_pin_number(top, 8), 0);
    EXPECT_EQ(component_pin_number(-1, 0), 0);
}

TEST(PinNumbers, SilPinsCountFromTheAnchor) {
    for (int n = 1; n <= 30; ++n) {
        const int entry = catalog_lookup(("SIL" + std::to_string(n)).c_str(), 0).entry;
        ASSERT_GE(entry, 0);
        EXPECT_EQ(component_part_class(entry), PART_SIL);
        for (const auto& [number, at] : numbered_pins(entry)) {
            EXPECT_EQ(at.first, 100);
            EXPECT_EQ(at.second, 100 + 10 * (number - 1)) << "SIL" << n;
        }
        expect_numbers_one_to_n(entry);
    }
}

// The leads of the four pictures each transistor group draws, in the
// order component_pins yields them, read off the pictures themselves.
const char* base_functions(const char* name, int variant) {
    static const char* const npn[4] = {"BCE", "CBE", "CBE", "CBE"};
    static const char* const pnp[4] = {"EBC", "EBC", "EBC", "EBC"};
    if (std::strcmp(name, "NPN") == 0) return npn[variant / 4];
    return pnp[variant / 4];
}

// Where a pin lands when a picture is drawn in an orientation: mirroring
// turns the 11-unit-wide picture about its middle, flipping the 9- or
// 19-unit-high one, so pins at 0 and 10 (or 20) swap.
std::pair<int, int> oriented(std::pair<int, int> pin, int orientation, int height) {
    if (orientation == ORIENT_MIRROR_LR || orientation == ORIENT_HALF_TURN) pin.first = 10 - pin.first;
    if (orientation == ORIENT_FLIP_TB || orientation == ORIENT_HALF_TURN) pin.second = height - pin.second;
    return pin;
}

TEST(PinNumbers, EverTransistorVariantNumbersTheLeadsItsSymbolShows) {
    for (const char* name : {"NPN", "PNP"}) {
        for (int variant = 0; variant < 16; ++variant) {
            SCOPED_TRACE(std::string(name) + " variant " + std::to_string(variant));
            const int entry = catalog_lookup(name, variant).entry;
            ASSERT_GE(entry, 0);
            EXPECT_EQ(component_part_class(entry), PART_TRANSISTOR);
            const EntryShape shape = entry_shape(entry);
            ASSERT_NE(shape.shape, nullptr);
            // The variant whose own picture is shown.
            int source = -1;
            for (int base = 0; base < 16; base += 4) {
                const int candidate = catalog_lookup(name, base).entry;
                if (shape_catalog[candidate].shape == shape.shape) source = candidate;
            }
            ASSERT_GE(source, 0);
            const int height = variant < 4 ? 10 : 20;
            const PinList mine = component_pins(entry, 0, 0);
            const PinList theirs = component_pins(source, 0, 0);
            std::set<int> numbers;
            for (int k = 0; k < mine.count; ++k) {
                const auto at = oriented({mine.x[k], mine.y[k]}, shape.orientation, height);
                int j = 0;
                while (j < theirs.count && std::make_pair(theirs.x[j], theirs.y[j]) != at) ++j;
                ASSERT_LT(j, theirs.count) << "pin " << k << " lies on no lead of the picture";
                const char function = base_functions(name, shape_catalog[source].variant)[j];
                const int expected = function == 'E' ? PIN_EMITTER : function == 'B' ? PIN_BASE : PIN_COLLECTOR;
                EXPECT_EQ(component_pin_number(entry, k), expected) << "pin " << k << " is " << function;
                numbers.insert(component_pin_number(entry, k));
            }
            EXPECT_EQ(numbers, (std::set<int>{1, 2, 3}));
        }
    }
    EXPECT_EQ(transistor_pin_for_function("e"), PIN_EMITTER);
    EXPECT_EQ(transistor_pin_for_function("B"), PIN_BASE);
    EXPECT_EQ(transistor_pin_for_function("C"), PIN_COLLECTOR);
    EXPECT_EQ(transistor_pin_for_function("CE"), 0);
    EXPECT_EQ(transistor_pin_for_function(""), 0);
}

TEST(PinNumbers, TwoTerminalParts) {
    const int plain = lookup_plain_wire_type();
    struct Case {
        const char* name;
        int variant;
        PartClass part;
        int first_end;  // the number of end 1
        bool interchangeable;
    } cases[] = {
        {"RES", 0, PART_RESISTOR, 1, true},      {"RES", 1, PART_RESISTOR, 1, true},
        {"CAP", 0, PART_CAPACITOR, 1, true},     {"CAP", 1, PART_ELECTROLYTIC, 1, false},
        {"IND", 0, PART_INDUCTOR, 1, true},      {"XTAL", 1, PART_CRYSTAL, 1, true},
        {"DIODE", 0, PART_DIODE, 2, false},      {"DIODE", 1, PART_DIODE, 2, false},
        {"DIODE", 2, PART_DIODE, 2, false},      {"DIODE", 3, PART_DIODE, 2, false},
    };
    for (const Case& c : cases) {
        const int entry = catalog_lookup(c.name, c.variant).entry;
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.variant));
        EXPECT_EQ(wire_part_class(entry, plain), c.part);
        EXPECT_EQ(wire_end_pin_number(entry, 1), c.first_end);
        EXPECT_EQ(wire_end_pin_number(entry, 2), 3 - c.first_end);
        EXPECT_EQ(pins_interchangeable(c.part), c.interchangeable);
    }
    EXPECT_EQ(wire_part_class(plain, plain), PART_NONE);
    EXPECT_EQ(component_part_class(catalog_lookup("TEXT", 0).entry), PART_NONE);
    EXPECT_EQ(component_part_class(catalog_lookup("RES", 0).entry), PART_NONE);
    EXPECT_EQ(wire_part_class(catalog_lookup("NPN", 0).entry, plain), PART_NONE);
    EXPECT_FALSE(pins_interchangeable(PART_DIODE));
    EXPECT_FALSE(pins_interchangeable(PART_TRANSISTOR));
}

}  // namespace
