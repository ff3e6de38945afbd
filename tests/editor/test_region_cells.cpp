// Which cut and bridge cells a region takes: with corners on half-pitch
// points, those strictly after the first edge up to one cell past the
// second, whatever order the corners come in. Saved boards and region
// scripts depend on this exact range.
#include <random>

#include "board/grid.h"
#include "editor/regions.h"
#include "journal_fixture.h"

namespace {

using RegionCellTest = JournalTest;

constexpr int SPAN = 34;  // cells set in rows and columns 0 .. SPAN - 1

bool mark_position(int row, int column) { return (row % 2) != (column % 2); }

}  // namespace

TEST_F(RegionCellTest, DeleteTakesTheCellsAfterTheFirstEdgeUpToOnePastTheSecond) {
    std::mt19937 random(21);
    std::uniform_int_distribution<int> half_pitch(0, 30);
    for (int round = 0; round < 40; ++round) {
        for (int row = 0; row < SPAN; ++row)
            for (int column = 0; column < SPAN; ++column)
                if (mark_position(row, column)) cell_set(row, column, 1);
        const Rect region{5 * half_pitch(random), 5 * half_pitch(random), 5 * half_pitch(random),
                          5 * half_pitch(random)};
        delete_region(region);
        const Rect o = ordered(region);
        for (int row = 0; row < SPAN; ++row) {
            for (int column = 0; column < SPAN; ++column) {
                if (!mark_position(row, column)) continue;
                const bool taken =
                    5 * column > o.x0 && 5 * column <= o.x1 + 5 && 5 * row > o.y0 && 5 * row <= o.y1 + 5;
                ASSERT_EQ(cell_get(row, column) == 0, taken)
                    << "region " << region.x0 << "," << region.y0 << "," << region.x1 << "," << region.y1
                    << " cell row " << row << " column " << column;
            }
        }
    }
}
