// The indexed catalog lookup against the plain first-match scans of both
// tables it replaces: the same answer for every name of either table and
// for names the tables do not hold, at every variant a file may give.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "board/catalog.h"

namespace {

// The alias table, then the catalog, each scanned row by row; the first
// matching row decides.
CatalogMatch scanned_lookup(const char* name, int variant) {
    CatalogMatch match{-1, 0, 0};
    for (const ShapeAlias* a = alias_table; a->name != nullptr; ++a) {
        if (std::strcmp(a->name, name) != 0) continue;
        if (variant >= 0 && a->variant >= 0 && a->variant != variant) continue;
        name = a->target_name;
        if (variant >= 0 && a->variant >= 0) variant = a->target_variant;
        match.dx = a->dx;
        match.dy = a->dy;
        break;
    }
    for (int i = 0; i < CATALOG_ROWS; ++i) {
        if (std::strcmp(shape_catalog[i].name, name) != 0) continue;
        const int first = i - shape_catalog[i].variant;
        int size = 0;
        while (first + size < CATALOG_ROWS && shape_catalog[first + size].variant == size) ++size;
        if (variant < 0) variant = default_variant(name);
        if (variant < size) match.entry = first + variant;
        return match;
    }
    return match;
}

std::vector<std::string> names_to_try() {
    std::vector<std::string> names;
    for (int i = 0; i < CATALOG_ROWS; ++i) names.push_back(shape_catalog[i].name);
    for (int a = 0; a < ALIAS_ROWS; ++a) {
        names.push_back(alias_table[a].name);
        names.push_back(alias_table[a].target_name);
    }
    // Near misses of real names, other letter cases, and enough made-up
    // words that many land on occupied index slots and have to probe on.
    for (const char* odd : {"", "DIL", "DIL2", "DIL240", "dil8", "Npn", "NPN ", " NPN", "WIRE0", "SIL31",
                            "SIL0", "DIP24SX", "DIP24s", "NPN_5", "TEXTS", "T", "RR", "\xff\xfe"})
        names.push_back(odd);
    names.push_back(std::string(300, 'D'));
    for (int i = 0; i < 3000; ++i) names.push_back("Q" + std::to_string(i));
    return names;
}

}  // namespace

TEST(CatalogIndex, AnswersAsThePlainScansDo) {
    int found = 0;
    for (const std::string& name : names_to_try()) {
        for (int variant = -1; variant <= 20; ++variant) {
            const CatalogMatch expected = scanned_lookup(name.c_str(), variant);
            const CatalogMatch got = catalog_lookup(name.c_str(), variant);
            ASSERT_EQ(got.entry, expected.entry) << "'" << name << "' variant " << variant;
            ASSERT_EQ(got.dx, expected.dx) << "'" << name << "' variant " << variant;
            ASSERT_EQ(got.dy, expected.dy) << "'" << name << "' variant " << variant;
            found += got.entry >= 0;
        }
    }
    // Guards the comparison itself: the names above must reach real rows.
    EXPECT_GT(found, 500);
    EXPECT_EQ(catalog_lookup(nullptr, 0).entry, -1);
}

TEST(CatalogIndex, NameHelpersFollowTheRowNames) {
    for (int i = 0; i < CATALOG_ROWS; ++i) {
        const std::string name = shape_catalog[i].name;
        EXPECT_EQ(entry_is_dil(i), name.rfind("DIL", 0) == 0) << name;
        EXPECT_EQ(entry_is_sil(i), name.rfind("SIL", 0) == 0) << name;
        EXPECT_EQ(entry_is_text(i), name == "TEXT") << name;
    }
    for (int outside : {-1, CATALOG_ROWS, CATALOG_ROWS + 5}) {
        EXPECT_FALSE(entry_is_dil(outside));
        EXPECT_FALSE(entry_is_sil(outside));
        EXPECT_FALSE(entry_is_text(outside));
    }
}

namespace {

// The rows a plain first-match scan of each table finds for the word.
CatalogName scanned_name(const std::string& word) {
    CatalogName found{-1, -1, -1};
    for (int i = CATALOG_ROWS - 1; i >= 0; --i)
        if (word == shape_catalog[i].name) found.first_row = static_cast<int16_t>(i);
    for (int a = ALIAS_ROWS - 1; a >= 0; --a)
        if (word == alias_table[a].name) found.first_alias = static_cast<int16_t>(a);
    if (word.find('\0') == std::string::npos) {
        const int entry = scanned_lookup(word.c_str(), -1).entry;
        found.kind = static_cast<int8_t>(entry >= 0 ? shape_catalog[entry].kind : -1);
    }
    return found;
}

}  // namespace

// A word inside a longer line, given by its length: the same rows as the
// scans of the word alone, and the default row's kind, for every name, its
// other letter cases, and near misses one edit away (a byte changed, cut,
// added, a NUL inside), whatever follows the word in memory.
TEST(CatalogIndex, WordsFindWhatTheScansFind) {
    std::vector<std::string> words = names_to_try();
    std::mt19937 random(13);
    for (int i = 0; i < CATALOG_ROWS + ALIAS_ROWS; ++i) {
        const std::string name = i < CATALOG_ROWS ? shape_catalog[i].name : alias_table[i - CATALOG_ROWS].name;
        std::string lower = name, mixed = name;
        for (size_t k = 0; k < name.size(); ++k) {
            lower[k] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[k])));
            if (k % 2 == 1) mixed[k] = lower[k];
        }
        words.insert(words.end(), {lower, mixed, name.substr(0, name.size() - 1), name + name.back(), name + '\0',
                                   '\0' + name, name.substr(0, 1) + '\0' + name.substr(1)});
        for (int edit = 0; edit < 8; ++edit) {
            std::string near = name;
            near[random() % near.size()] = static_cast<char>(random() % 256);
            words.push_back(near);
        }
    }
    int found = 0;
    for (const std::string& word : words) {
        const CatalogName expected = scanned_name(word);
        // Followed by a name's letters, so that reading past the length shows.
        const std::string line = word + "NPN 0 1 2";
        const CatalogName got = catalog_find_word(line.data(), word.size());
        ASSERT_EQ(got.first_row, expected.first_row) << "'" << word << "'";
        ASSERT_EQ(got.first_alias, expected.first_alias) << "'" << word << "'";
        ASSERT_EQ(got.kind, expected.kind) << "'" << word << "'";
        uint64_t key = 0;
        for (const char c : word) key = catalog_key_add(key, c);
        const CatalogName by_key = catalog_find_key(key, word.size());
        ASSERT_EQ(by_key.first_row, expected.first_row) << "'" << word << "'";
        ASSERT_EQ(by_key.first_alias, expected.first_alias) << "'" << word << "'";
        ASSERT_EQ(by_key.kind, expected.kind) << "'" << word << "'";
        if (word.find('\0') == std::string::npos) {
            const CatalogName by_name = catalog_find_name(word.c_str());
            ASSERT_EQ(by_name.first_row, expected.first_row) << "'" << word << "'";
            ASSERT_EQ(by_name.first_alias, expected.first_alias) << "'" << word << "'";
        }
        found += got.kind >= 0;
    }
    EXPECT_GT(found, 2 * (CATALOG_ROWS + ALIAS_ROWS) / 3);
    EXPECT_EQ(catalog_find_word(nullptr, 3).kind, -1);
    EXPECT_EQ(catalog_find_word("NPN", 0).kind, -1);
}
