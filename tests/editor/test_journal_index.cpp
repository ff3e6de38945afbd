// The journal's line index on many nodes of one text: the cost of adding
// them, and its answers against a plain list kept in state-set order.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <memory>
#include <random>
#include <vector>

#include "editor/journal.h"
#include "editor/journal_index.h"

namespace {

char same_text[] = "WIRE 0 10 10 10 30 ";

class JournalIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        journal_index_clear();
        journal_index_stats = JournalIndexStats{};
    }
    void TearDown() override { journal_index_clear(); }

    StateLine* new_node() {
        nodes_.push_back(std::make_unique<StateLine>(StateLine{1, 0, nullptr, same_text, nullptr}));
        return nodes_.back().get();
    }

    static StateLine* match() { return journal_index_match(same_text, std::strlen(same_text)); }

private:
    std::vector<std::unique_ptr<StateLine>> nodes_;
};

// A board of many identical lines once made every addition move all the
// nodes before it: adding must move each node a bounded number of times.
TEST_F(JournalIndexTest, AddingManyIdenticalLinesMovesEachNodeAFewTimes) {
    constexpr size_t COUNT = 50000;
    std::vector<StateLine*> added;
    for (size_t i = 0; i < COUNT; ++i) {
        added.push_back(new_node());
        journal_index_add_front(added.back());
    }
    EXPECT_LE(journal_index_stats.nodes_moved, 2 * COUNT);
    // A snapshot finds them in state-set order: the last added first.
    journal_index_begin_snapshot();
    size_t out_of_order = 0;
    for (size_t i = 0; i < COUNT; ++i) out_of_order += match() != added[COUNT - 1 - i];
    EXPECT_EQ(out_of_order, 0u);
    EXPECT_EQ(match(), nullptr);
}

// Random additions, removals of the first node and snapshots that see a
// random number of the nodes and drop the rest, against a plain list.
TEST_F(JournalIndexTest, AgreesWithAPlainListOverRandomSequences) {
    std::mt19937 rng(1209);
    std::deque<StateLine*> model;  // state-set order
    for (int round = 0; round < 400; ++round) {
        const int op = static_cast<int>(rng() % 4);
        if (op <= 1) {
            for (int n = static_cast<int>(rng() % 40); n > 0; --n) {
                StateLine* node = new_node();
                journal_index_add_front(node);
                model.push_front(node);
            }
        } else if (op == 2 && !model.empty()) {
            journal_index_doom_first(same_text);
            StateLine* first = model.front();
            model.pop_front();
            ASSERT_TRUE(journal_index_take_doomed(first)) << "round " << round;
            for (StateLine* node : model) {
                ASSERT_FALSE(journal_index_take_doomed(node));
            }
        } else {
            journal_index_begin_snapshot();
            const size_t seen = model.empty() ? 0 : rng() % (model.size() + 1);
            for (size_t i = 0; i < seen; ++i) {
                ASSERT_EQ(match(), model[i]) << "round " << round;
            }
            // A line seen during the snapshot is new and stays seen.
            StateLine* fresh = new_node();
            journal_index_add_front(fresh);
            model.push_front(fresh);
            if (seen < model.size() - 1) {
                ASSERT_EQ(match(), model[seen + 1]);
            }
            const size_t kept = seen < model.size() - 1 ? seen + 2 : model.size();
            // The sweep takes the unseen nodes away in state-set order.
            for (size_t i = kept; i < model.size(); ++i) journal_index_remove_unmatched(model[i]);
            model.resize(kept);
            journal_index_begin_snapshot();
            for (StateLine* node : model) {
                ASSERT_EQ(match(), node) << "round " << round;
            }
            ASSERT_EQ(match(), nullptr);
        }
    }
    EXPECT_LE(journal_index_stats.nodes_moved, 4 * (model.size() + 400 * 40));
}

}  // namespace
