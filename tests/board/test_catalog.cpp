// The catalog tables, their lookups, and the pictures' fit to the pins.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "board/catalog.h"
#include "graphics/canvas.h"

namespace {

int entry_of(const char* name, int variant) { return catalog_lookup(name, variant).entry; }

int variant_of(int entry) { return shape_catalog[entry].variant; }

int group_first(int entry) { return entry - variant_of(entry); }

int group_size_at(int first) {
    int size = 0;
    while (first + size < CATALOG_ROWS && shape_catalog[first + size].variant == size) ++size;
    return size;
}

bool is_wire_kind(int entry) { return shape_catalog[entry].kind == KIND_WIRE; }

// Every picture the tables point at, with a name for messages.
std::vector<std::pair<std::string, const ShapeBitmap*>> all_pictures() {
    std::vector<std::pair<std::string, const ShapeBitmap*>> pictures;
    for (int i = 0; i < CATALOG_ROWS; ++i)
        if (shape_catalog[i].shape != nullptr)
            pictures.push_back({std::string(shape_catalog[i].name) + " " +
                                    std::to_string(shape_catalog[i].variant),
                                shape_catalog[i].shape});
    pictures.push_back({"dil_notch", &dil_notch});
    return pictures;
}

}  // namespace

// ---------------------------------------------------------------- table shape

TEST(CatalogTable, RowCountsAndEndRows) {
    int rows = 0;
    while (shape_catalog[rows].name != nullptr) ++rows;
    EXPECT_EQ(rows, 118);
    int aliases = 0;
    while (alias_table[aliases].name != nullptr) ++aliases;
    EXPECT_EQ(aliases, 53);
}

TEST(CatalogTable, GroupsComeInTheDocumentedOrder) {
    std::vector<std::pair<std::string, int>> expected = {
        {"TEXT", 1}, {"VERSION", 1}, {"CUT", 1}, {"BRIDGE", 1}, {"STRIP", 1},
        {"R", 1}, {"C", 1}, {"E", 1}, {"L", 1}, {"D", 1},
        {"I", 1}, {"S", 1}, {"Z", 1}, {"W", 1}, {"X", 1},
        {"NPN", 16}, {"PNP", 16}};
    for (int n = 1; n <= 30; ++n) expected.push_back({"SIL" + std::to_string(n), 1});
    for (int n = 4; n <= 22; n += 2) expected.push_back({"DIL" + std::to_string(n), 2});
    expected.insert(expected.end(), {{"DIL24", 4}, {"DIL28", 4}, {"DIL40", 2}, {"WIRE", 2},
                                     {"RES", 2}, {"CAP", 2}, {"IND", 1}, {"DIODE", 4}});

    std::vector<std::pair<std::string, int>> actual;
    for (int i = 0; i < CATALOG_ROWS; i += group_size_at(i)) {
        ASSERT_EQ(shape_catalog[i].variant, 0) << "row " << i;
        actual.push_back({shape_catalog[i].name, group_size_at(i)});
    }
    EXPECT_EQ(actual, expected);
}

TEST(CatalogTable, RowsRepeatTheirGroupNameAndKind) {
    for (int i = 0; i < CATALOG_ROWS; ++i) {
        const int first = group_first(i);
        const char* expected_name = i == entry_of("XTAL", 1) ? "XTAL" : shape_catalog[first].name;
        EXPECT_STREQ(shape_catalog[i].name, expected_name) << "row " << i;
        EXPECT_EQ(shape_catalog[i].kind, shape_catalog[first].kind) << "row " << i;
    }
    EXPECT_EQ(shape_catalog[entry_of("TEXT", 0)].kind, KIND_TEXT);
    EXPECT_EQ(shape_catalog[entry_of("VERSION", 0)].kind, KIND_VERSION);
    EXPECT_EQ(shape_catalog[entry_of("CUT", 0)].kind, KIND_CUT);
    EXPECT_EQ(shape_catalog[entry_of("BRIDGE", 0)].kind, KIND_BRIDGE);
    EXPECT_EQ(shape_catalog[entry_of("STRIP", 0)].kind, KIND_STRIP);
    EXPECT_EQ(shape_catalog[entry_of("Z", 0)].kind, KIND_LETTER_WIRE);
    EXPECT_EQ(shape_catalog[entry_of("SIL30", 0)].kind, KIND_COMPONENT);
    EXPECT_EQ(shape_catalog[entry_of("DIL40", 1)].kind, KIND_COMPONENT);
    EXPECT_EQ(shape_catalog[entry_of("DIODE", 3)].kind, KIND_WIRE);
}

TEST(CatalogTable, EveryVariantFieldStaysInsideItsGroup) {
    for (int i = 0; i < CATALOG_ROWS; ++i) {
        const CatalogEntry& e = shape_catalog[i];
        const int size = group_size_at(group_first(i));
        for (int v : {e.mirror_variant, e.flip_variant, e.rotate_variant, e.next_variant,
                      e.prev_variant}) {
            EXPECT_GE(v, 0) << "row " << i;
            EXPECT_LT(v, size) << "row " << i;
        }
    }
}

TEST(CatalogTable, ComponentGeometry) {
    const CatalogEntry& text = shape_catalog[entry_of("TEXT", 0)];
    EXPECT_EQ(text.box_y1, 2);
    EXPECT_EQ(text.text_dx, -2);

    const CatalogEntry& sil7 = shape_catalog[entry_of("SIL7", 0)];
    EXPECT_EQ(sil7.pin_count, 7);
    EXPECT_EQ(sil7.box_y1, 60);

    const CatalogEntry& dil14 = shape_catalog[entry_of("DIL14", 1)];
    EXPECT_EQ(dil14.pin_count, 14);
    EXPECT_EQ(dil14.box_x1, 30);
    EXPECT_EQ(dil14.box_y1, 60);
    EXPECT_EQ(shape_catalog[entry_of("DIL40", 1)].box_x1, 60);
    EXPECT_EQ(shape_catalog[entry_of("DIL28", 1)].box_x1, 60);
    EXPECT_EQ(shape_catalog[entry_of("DIL28", 3)].box_x1, 30);
    EXPECT_EQ(shape_catalog[entry_of("DIL28", 3)].box_y1, 130);

    for (const char* name : {"NPN", "PNP"}) {
        for (int v = 0; v < 16; ++v) {
            const CatalogEntry& t = shape_catalog[entry_of(name, v)];
            EXPECT_EQ(t.pin_count, 3);
            EXPECT_EQ(t.box_x0, -2);
            EXPECT_EQ(t.box_y0, -2);
            EXPECT_EQ(t.box_x1, 12);
            EXPECT_EQ(t.box_y1, v < 4 ? 12 : 22) << name << v;
            const bool right = v >= 4 && v < 12;
            EXPECT_EQ(t.text_dx, right ? 12 : 2) << name << v;
            EXPECT_EQ(t.text_dy, right ? 8 : -2) << name << v;
        }
    }
}

// ---------------------------------------------------------------- pictures

TEST(CatalogPictures, RowsHoldExactlyTwoWidthByTwoHeightCharacters) {
    for (const auto& [name, shape] : all_pictures()) {
        ASSERT_NE(shape->rows, nullptr) << name;
        EXPECT_EQ(std::strlen(shape->rows), size_t(4 * shape->width * shape->height)) << name;
    }
}

// A block of exactly two ink sub-pixels shows at the normal zoom after a
// quarter turn but not as stored, so a wire symbol would differ between
// vertical and horizontal wires.
TEST(CatalogPictures, NoBlockIsHalfInked) {
    for (const auto& [name, shape] : all_pictures()) {
        if (name == "dil_notch") continue;  // drawn only as stored or half-turned
        for (int r = 0; r < shape->height; ++r)
            for (int c = 0; c < shape->width; ++c) {
                const int ink = shape_ink(*shape, 2 * c, 2 * r) + shape_ink(*shape, 2 * c + 1, 2 * r) +
                                shape_ink(*shape, 2 * c, 2 * r + 1) +
                                shape_ink(*shape, 2 * c + 1, 2 * r + 1);
                EXPECT_NE(ink, 2) << name << " block " << c << "," << r;
            }
    }
}

TEST(CatalogPictures, SizesAndHotSpots) {
    struct Expected {
        const char* name;
        int variant, w, h, hx, hy;
    };
    const Expected expected[] = {
        {"WIRE", 0, 5, 9, 2, 4},  {"XTAL", 1, 7, 7, 3, 3},  {"RES", 0, 5, 9, 2, 4},
        {"RES", 1, 5, 9, 2, 4},   {"CAP", 0, 7, 3, 3, 1},   {"CAP", 1, 7, 3, 3, 1},
        {"IND", 0, 5, 9, 2, 4},   {"DIODE", 0, 7, 5, 3, 2}, {"DIODE", 1, 9, 9, 4, 4},
        {"DIODE", 2, 7, 7, 3, 3}, {"DIODE", 3, 9, 7, 4, 3}, {"NPN", 0, 11, 9, 0, -1},
        {"NPN", 4, 11, 19, 0, -1}, {"NPN", 8, 11, 19, 0, -1}, {"NPN", 12, 11, 19, 0, -1},
        {"PNP", 0, 11, 9, 0, -1}, {"PNP", 4, 11, 19, 0, -1}, {"PNP", 8, 11, 19, 0, -1},
        {"PNP", 12, 11, 19, 0, -1},
    };
    for (const Expected& x : expected) {
        const ShapeBitmap* s = shape_catalog[entry_of(x.name, x.variant)].shape;
        ASSERT_NE(s, nullptr) << x.name << x.variant;
        EXPECT_EQ(s->width, x.w) << x.name << x.variant;
        EXPECT_EQ(s->height, x.h) << x.name << x.variant;
        EXPECT_EQ(s->hot_x, x.hx) << x.name << x.variant;
        EXPECT_EQ(s->hot_y, x.hy) << x.name << x.variant;
    }
    EXPECT_STREQ(shape_catalog[entry_of("DIODE", 0)].shape->rows,
                 "xxxxxxxxxxxxxx"
                 "xxxxxxxxxxxxxx"
                 "      xx      "
                 "     xxxx     "
                 "    xxxxxx    "
                 "   xxxxxxxx   "
                 "  xxxxxxxxxx  "
                 " xxxxxxxxxxxx "
                 "xxxxxxxxxxxxxx"
                 "xxxxxxxxxxxxxx");
    EXPECT_STREQ(dil_notch.rows,
                 "xx          xx"
                 "xxx        xxx"
                 " xxxxxxxxxxxx "
                 "  xxxxxxxxxx  ");
}

// A wire symbol replaces the wire's line inside its box, so the stroke must
// meet the line where it enters and leaves the box.
TEST(CatalogPictures, WireSymbolsJoinTheLineAtBothEnds) {
    for (int i = 0; i < CATALOG_ROWS; ++i) {
        if (!is_wire_kind(i)) continue;
        const ShapeBitmap& s = *shape_catalog[i].shape;
        const int mid = 2 * s.hot_x;
        EXPECT_TRUE(shape_ink(s, mid, 0) && shape_ink(s, mid + 1, 0)) << i;
        EXPECT_TRUE(shape_ink(s, mid, 2 * s.height - 1) && shape_ink(s, mid + 1, 2 * s.height - 1))
            << i;
    }
}

// Every lead of every transistor variant, drawn as the board draws it,
// ends on or next to its pin, at both zooms.
TEST(CatalogPictures, TransistorLeadsReachEveryPin) {
    for (int zoom : {10, 20}) {
        for (const char* name : {"NPN", "PNP"}) {
            for (int v = 0; v < 16; ++v) {
                canvas_reset();
                canvas.zoom = zoom;
                set_pen_colour(15);
                const int entry = entry_of(name, v);
                const EntryShape picture = entry_shape(entry);
                ASSERT_NE(picture.shape, nullptr) << name << v;
                draw_shape(100, 100, *picture.shape, picture.orientation);
                const PinList pins = component_pins(entry, 100, 100);
                ASSERT_EQ(pins.count, 3);
                for (int p = 0; p < pins.count; ++p) {
                    bool reached = false;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            if (read_cell(pins.x[p] + dx, pins.y[p] + dy) != 0) reached = true;
                    EXPECT_TRUE(reached) << name << v << " pin " << p << " zoom " << zoom;
                }
            }
        }
    }
    canvas_reset();
}

// ---------------------------------------------------------------- lookups

TEST(CatalogLookup, DefaultVariantsAndWidths) {
    EXPECT_EQ(default_variant("DIL24"), 2);
    EXPECT_EQ(default_variant("DIL28"), 2);
    EXPECT_EQ(default_variant("DIL40"), 0);
    EXPECT_EQ(default_variant("DIL2"), 0);
    EXPECT_EQ(default_variant(nullptr), 0);

    const int dil24_any = entry_of("DIL24", -1);
    EXPECT_EQ(variant_of(dil24_any), 2);
    EXPECT_EQ(shape_catalog[dil24_any].box_x1, 30);
    EXPECT_EQ(variant_of(entry_of("DIL28", -1)), 2);
    EXPECT_EQ(shape_catalog[entry_of("DIL24", 0)].box_x1, 60);
    const int dil40_any = entry_of("DIL40", -1);
    EXPECT_EQ(variant_of(dil40_any), 0);
    EXPECT_EQ(shape_catalog[dil40_any].box_x1, 60);
}

TEST(CatalogLookup, VariantBeyondTheGroupOrUnknownNameGivesNothing) {
    EXPECT_EQ(entry_of("NPN", 16), -1);
    EXPECT_EQ(entry_of("DIL4", 2), -1);
    EXPECT_EQ(entry_of("XTAL", 2), -1);
    EXPECT_EQ(entry_of("IND", 1), -1);
    EXPECT_EQ(entry_of("npn", 0), -1);
    EXPECT_EQ(entry_of("Npn", -1), -1);
    EXPECT_EQ(entry_of("DIL26", -1), -1);
    EXPECT_EQ(entry_of("", -1), -1);
    EXPECT_EQ(entry_of(nullptr, -1), -1);
    EXPECT_NE(entry_of("NPN", 15), -1);
}

TEST(CatalogLookup, CrystalIsTheSecondWireRow) {
    const int xtal = entry_of("XTAL", 1);
    ASSERT_NE(xtal, -1);
    EXPECT_STREQ(shape_catalog[xtal].name, "XTAL");
    EXPECT_EQ(entry_of("WIRE", 1), xtal);
    EXPECT_EQ(wire_entry_for_letter('X'), xtal);
    const int wire = entry_of("XTAL", -1);
    EXPECT_STREQ(shape_catalog[wire].name, "WIRE");
    EXPECT_EQ(wire, xtal - 1);
}

TEST(CatalogLookup, KeywordsAreRowsOfTheirOwn) {
    EXPECT_EQ(entry_of("TEXT", -1), 0);
    EXPECT_EQ(shape_catalog[entry_of("VERSION", -1)].kind, KIND_VERSION);
    EXPECT_EQ(entry_of("CUT", 1), -1);
    EXPECT_EQ(entry_of("R", -1), 5);
    EXPECT_EQ(entry_of("X", -1), 14);
}

TEST(CatalogLookup, OneLetterWireCodes) {
    struct Code {
        char letter;
        const char* name;
        int variant;
    };
    const Code codes[] = {{'C', "CAP", 0},   {'E', "CAP", 1},   {'D', "DIODE", 0},
                          {'I', "DIODE", 1}, {'L', "IND", 0},   {'R', "RES", 0},
                          {'S', "DIODE", 3}, {'W', "WIRE", 0},  {'X', "WIRE", 1},
                          {'Z', "DIODE", 2}};
    for (const Code& c : codes) {
        const int entry = wire_entry_for_letter(c.letter);
        ASSERT_GE(entry, 0) << c.letter;
        EXPECT_EQ(entry, group_first(entry_of(c.name, 0)) + c.variant) << c.letter;
        EXPECT_EQ(shape_catalog[entry].kind, KIND_WIRE) << c.letter;
    }
    for (char other : {'A', 'r', 'T', '1', '\0'}) EXPECT_EQ(wire_entry_for_letter(other), -1);
}

// ---------------------------------------------------------------- aliases

TEST(CatalogAlias, PackageNamesWithVariants) {
    const int dip24s = entry_of("DIP24S", 1);
    EXPECT_EQ(dip24s, entry_of("DIL24", 3));
    EXPECT_EQ(entry_of("DIP28S", 0), entry_of("DIL28", 2));
    EXPECT_EQ(variant_of(entry_of("DIP24S", -1)), 2);  // default of the target name
    EXPECT_EQ(entry_of("DIP24S", 2), -1);  // no alias row, and no such catalog name

    EXPECT_EQ(entry_of("DIP14", 1), entry_of("DIL14", 1));
    EXPECT_EQ(entry_of("DIP14", 2), -1);
    EXPECT_EQ(variant_of(entry_of("DIP24", -1)), 2);
    EXPECT_EQ(entry_of("DIP40", 1), entry_of("DIL40", 1));

    EXPECT_EQ(entry_of("SIP5", 0), entry_of("SIL5", 0));
    EXPECT_EQ(entry_of("SIP5", -1), entry_of("SIL5", 0));
    EXPECT_EQ(entry_of("SIP5", 1), -1);
    EXPECT_EQ(entry_of("SIP30", 0), entry_of("SIL30", 0));
}

TEST(CatalogAlias, OldTransistorNamesShiftTheAnchor) {
    const CatalogMatch npn3 = catalog_lookup("NPN_3", 0);
    EXPECT_EQ(npn3.entry, entry_of("NPN", 8));
    EXPECT_EQ(npn3.dx, 0);
    EXPECT_EQ(npn3.dy, -10);

    const CatalogMatch npn3_any = catalog_lookup("NPN_3", -1);
    EXPECT_EQ(npn3_any.entry, entry_of("NPN", 0));
    EXPECT_EQ(npn3_any.dy, -10);

    EXPECT_EQ(catalog_lookup("PNP_4", 0).entry, entry_of("PNP", 10));
    EXPECT_EQ(catalog_lookup("NPN_2", 0).entry, entry_of("NPN", 4));

    // Only variant 0 is an alias; other variants are not found at all.
    const CatalogMatch npn3_other = catalog_lookup("NPN_3", 1);
    EXPECT_EQ(npn3_other.entry, -1);
    EXPECT_EQ(npn3_other.dy, 0);

    // A plain catalog name carries no shift.
    const CatalogMatch plain = catalog_lookup("NPN", 8);
    EXPECT_EQ(plain.dx, 0);
    EXPECT_EQ(plain.dy, 0);
}

TEST(CatalogAlias, EveryAliasReachesACatalogRow) {
    for (int i = 0; i < ALIAS_ROWS; ++i) {
        const ShapeAlias& a = alias_table[i];
        const int target = catalog_lookup(a.target_name, a.variant < 0 ? -1 : a.target_variant).entry;
        ASSERT_GE(target, 0) << a.name;
        EXPECT_EQ(catalog_lookup(a.name, a.variant).entry, target) << a.name;
        // Targets are catalog names, never other aliases.
        for (int j = 0; j < ALIAS_ROWS; ++j) EXPECT_STRNE(a.target_name, alias_table[j].name);
    }
}

// ---------------------------------------------------------------- variants

TEST(CatalogVariants, NpnForwardCycleVisitsAllSixteen) {
    const int first = entry_of("NPN", 0);
    std::vector<int> seen;
    int e = first;
    for (int step = 0; step < 16; ++step) {
        seen.push_back(variant_of(e));
        e = variant_entry(e, FIELD_NEXT);
    }
    EXPECT_EQ(e, first);
    std::vector<int> all;
    for (int v = 0; v < 16; ++v) all.push_back(v);
    EXPECT_EQ(seen, all);
}

TEST(CatalogVariants, PnpCyclesStepThroughPicturedVariants) {
    int e = entry_of("PNP", 0);
    std::vector<int> forward;
    for (int step = 0; step < 4; ++step) {
        e = variant_entry(e, FIELD_NEXT);
        forward.push_back(variant_of(e));
    }
    EXPECT_EQ(forward, (std::vector<int>{4, 8, 12, 0}));
    EXPECT_EQ(variant_of(variant_entry(entry_of("PNP", 1), FIELD_NEXT)), 4);
    EXPECT_EQ(variant_of(variant_entry(entry_of("PNP", 4), FIELD_PREV)), 0);
    EXPECT_EQ(variant_of(variant_entry(entry_of("PNP", 0), FIELD_PREV)), 12);
    EXPECT_EQ(variant_of(variant_entry(entry_of("PNP", 13), FIELD_PREV)), 8);
    EXPECT_EQ(variant_of(variant_entry(entry_of("PNP", 7), FIELD_NEXT)), 8);
}

TEST(CatalogVariants, BackwardUndoesForwardWhereTheCycleIsClosed) {
    for (int i = 0; i < CATALOG_ROWS; ++i) {
        if (std::strcmp(shape_catalog[i].name, "PNP") == 0) continue;  // PNP steps back by one picture
        EXPECT_EQ(variant_entry(variant_entry(i, FIELD_NEXT), FIELD_PREV), i) << "row " << i;
    }
}

TEST(CatalogVariants, MirrorFlipAndTurnAreConsistent) {
    for (int i = 0; i < CATALOG_ROWS; ++i) {
        if (shape_catalog[i].kind != KIND_COMPONENT) continue;
        const int m = variant_entry(i, FIELD_MIRROR), f = variant_entry(i, FIELD_FLIP);
        EXPECT_EQ(variant_entry(m, FIELD_MIRROR), i) << "row " << i;
        EXPECT_EQ(variant_entry(f, FIELD_FLIP), i) << "row " << i;
        EXPECT_EQ(variant_entry(i, FIELD_ROTATE), variant_entry(m, FIELD_FLIP)) << "row " << i;
    }
}

TEST(CatalogVariants, DilCycleSwitchesTheWideAndNarrowPackage) {
    for (const char* name : {"DIL24", "DIL28"}) {
        for (int v = 0; v < 4; ++v) {
            const int e = entry_of(name, v);
            const int next = variant_entry(e, FIELD_NEXT);
            EXPECT_NE(shape_catalog[next].box_x1, shape_catalog[e].box_x1) << name << v;
            EXPECT_EQ(variant_of(next) % 2, v % 2) << name << v;  // notch side kept
        }
    }
    EXPECT_EQ(variant_entry(-1, FIELD_NEXT), -1);
    EXPECT_EQ(variant_entry(CATALOG_ROWS, FIELD_MIRROR), -1);
}

// ---------------------------------------------------------------- entry_shape

TEST(CatalogShapes, TransistorsBorrowFromTheirOwnTwins) {
    // Per variant: the variant whose picture is used and the orientation.
    const int source[16] = {0, 0, 0, 0, 4, 4, 4, 4, 8, 8, 8, 8, 12, 12, 12, 12};
    const int orientation[16] = {ORIENT_AS_STORED, ORIENT_FLIP_TB, ORIENT_MIRROR_LR, ORIENT_HALF_TURN,
                                 ORIENT_AS_STORED, ORIENT_FLIP_TB, ORIENT_MIRROR_LR, ORIENT_HALF_TURN,
                                 ORIENT_AS_STORED, ORIENT_FLIP_TB, ORIENT_MIRROR_LR, ORIENT_HALF_TURN,
                                 ORIENT_AS_STORED, ORIENT_FLIP_TB, ORIENT_MIRROR_LR, ORIENT_HALF_TURN};
    for (const char* name : {"NPN", "PNP"}) {
        for (int v = 0; v < 16; ++v) {
            const EntryShape s = entry_shape(entry_of(name, v));
            EXPECT_EQ(s.shape, shape_catalog[entry_of(name, source[v])].shape) << name << v;
            EXPECT_EQ(s.orientation, orientation[v]) << name << v;
        }
    }
    EXPECT_NE(entry_shape(entry_of("NPN", 0)).shape, entry_shape(entry_of("PNP", 0)).shape);
}

TEST(CatalogShapes, RowsWithoutAnyPicturedTwinDrawNothing) {
    for (const char* name : {"TEXT", "SIL1", "SIL12", "DIL8", "DIL40", "CUT", "W"}) {
        const int e = entry_of(name, -1);
        ASSERT_GE(e, 0) << name;
        EXPECT_EQ(entry_shape(e).shape, nullptr) << name;
    }
    EXPECT_EQ(entry_shape(entry_of("DIL24", 3)).shape, nullptr);
    EXPECT_EQ(entry_shape(-1).shape, nullptr);
    EXPECT_EQ(entry_shape(CATALOG_ROWS).shape, nullptr);
    const EntryShape diode = entry_shape(entry_of("DIODE", 2));
    EXPECT_EQ(diode.shape, shape_catalog[entry_of("DIODE", 2)].shape);
    EXPECT_EQ(diode.orientation, ORIENT_AS_STORED);
}

// ---------------------------------------------------------------- pins

TEST(CatalogPins, DilPinsComeBottomRowFirstLeftBeforeRight) {
    const PinList p = component_pins(entry_of("DIL8", 0), 100, 50);
    ASSERT_EQ(p.count, 8);
    const int xs[8] = {100, 130, 100, 130, 100, 130, 100, 130};
    const int ys[8] = {80, 80, 70, 70, 60, 60, 50, 50};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(p.x[i], xs[i]) << i;
        EXPECT_EQ(p.y[i], ys[i]) << i;
    }
    const PinList wide = component_pins(entry_of("DIL24", 0), 0, 0);
    EXPECT_EQ(wide.count, 24);
    EXPECT_EQ(wide.x[1], 60);
    EXPECT_EQ(wide.y[0], 110);
    EXPECT_EQ(component_pins(entry_of("DIL40", 0), 0, 0).count, 40);
}

TEST(CatalogPins, SilPinsRunUpFromTheBottom) {
    const PinList p = component_pins(entry_of("SIL3", 0), 20, 30);
    ASSERT_EQ(p.count, 3);
    EXPECT_EQ(p.y[0], 50);
    EXPECT_EQ(p.y[1], 40);
    EXPECT_EQ(p.y[2], 30);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(p.x[i], 20);
}

TEST(CatalogPins, TransistorPinsFollowTheList) {
    const PinList zigzag = component_pins(entry_of("NPN", 8), 200, 100);
    ASSERT_EQ(zigzag.count, 3);
    EXPECT_EQ(zigzag.x[0], 210);
    EXPECT_EQ(zigzag.y[0], 100);
    EXPECT_EQ(zigzag.x[1], 200);
    EXPECT_EQ(zigzag.y[1], 110);
    EXPECT_EQ(zigzag.x[2], 210);
    EXPECT_EQ(zigzag.y[2], 120);

    const PinList pnp = component_pins(entry_of("PNP", 0), 0, 0);
    ASSERT_EQ(pnp.count, 3);
    EXPECT_EQ(pnp.x[0], 10);
    EXPECT_EQ(pnp.y[0], 0);
    EXPECT_EQ(pnp.x[1], 0);
    EXPECT_EQ(pnp.y[1], 10);
}

TEST(CatalogPins, CountMatchesThePinCountField) {
    for (int i = 0; i < CATALOG_ROWS; ++i) {
        const PinList p = component_pins(i, 0, 0);
        const int expected = shape_catalog[i].kind == KIND_COMPONENT ? shape_catalog[i].pin_count : 0;
        EXPECT_EQ(p.count, expected) << shape_catalog[i].name;
    }
    EXPECT_EQ(component_pins(-1, 0, 0).count, 0);
    EXPECT_EQ(component_pins(CATALOG_ROWS, 0, 0).count, 0);
}

TEST(CatalogPins, NameHelpers) {
    EXPECT_TRUE(entry_is_dil(entry_of("DIL22", 1)));
    EXPECT_FALSE(entry_is_dil(entry_of("SIL2", 0)));
    EXPECT_TRUE(entry_is_sil(entry_of("SIL30", 0)));
    EXPECT_FALSE(entry_is_sil(entry_of("S", 0)));
    EXPECT_TRUE(entry_is_text(0));
    EXPECT_FALSE(entry_is_text(entry_of("TEXT", 0) + 1));
    EXPECT_FALSE(entry_is_dil(-1));
    EXPECT_FALSE(entry_is_text(CATALOG_ROWS));
}
