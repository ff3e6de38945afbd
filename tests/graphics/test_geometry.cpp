// Rectangle semantics checked point by point: inclusive edges, corners in
// any order, and the clip and the canvas both cutting what is drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

#include "graphics/canvas.h"
#include "graphics/geometry.h"

namespace {

// Small coordinates, so that edges touch, coincide and cross often.
Rect any_rect(std::mt19937& random, int low, int high) {
    std::uniform_int_distribution<int> any(low, high);
    return Rect{any(random), any(random), any(random), any(random)};
}

bool inside_both(const Rect& a, const Rect& b, int x, int y) {
    return ordered(a).contains(x, y) && ordered(b).contains(x, y);
}

}  // namespace

TEST(RectSemantics, OverlapMeansACommonPointWhateverTheCornerOrder) {
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        const Rect a = any_rect(random, 0, 9), b = any_rect(random, 0, 9);
        bool common = false;
        for (int y = 0; y <= 9 && !common; ++y)
            for (int x = 0; x <= 9 && !common; ++x) common = inside_both(a, b, x, y);
        ASSERT_EQ(rects_overlap(a, b), common)
            << "a " << a.x0 << "," << a.y0 << "," << a.x1 << "," << a.y1 << " b " << b.x0 << "," << b.y0
            << "," << b.x1 << "," << b.y1;
    }
}

// The clip may reach past the cells; the rectangle may lie anywhere.
TEST(RectSemantics, ClipAndFillKeepExactlyThePointsInsideClipAndCells) {
    std::mt19937 random(12);
    for (int round = 0; round < 300; ++round) {
        canvas_reset();
        const Rect clip = ordered(any_rect(random, -4, 12));
        canvas.clip_rect = clip;
        Rect r = any_rect(random, -6, 14);
        const Rect asked = r;

        Rect expected{1000, 1000, -1000, -1000};
        for (int y = -6; y <= 14; ++y) {
            for (int x = -6; x <= 14; ++x) {
                if (!inside_both(asked, clip, x, y)) continue;
                expected = {std::min(expected.x0, x), std::min(expected.y0, y), std::max(expected.x1, x),
                            std::max(expected.y1, y)};
            }
        }
        ASSERT_EQ(clip_to_clip_rect(r), !expected.empty()) << "round " << round;
        if (!expected.empty()) {
            ASSERT_EQ(r, expected) << "round " << round;
        }

        set_pen_colour(9);
        fill_rect(asked);
        for (int y = 0; y <= 14; ++y)
            for (int x = 0; x <= 14; ++x)
                ASSERT_EQ(read_cell(x, y) != 0, inside_both(asked, clip, x, y))
                    << "round " << round << " at " << x << "," << y;
    }
    canvas_reset();
}

// Every column (or row, for steep lines) between the ends holds exactly one
// point, no further than half a step from the true line.
TEST(RectSemantics, SlopedLinesKeepWithinHalfAStepOfTheTrueLine) {
    std::mt19937 random(13);
    std::uniform_int_distribution<int> any(0, 60);
    for (int round = 0; round < 400; ++round) {
        canvas_reset();
        canvas.clip_rect = {0, 0, CANVAS_WIDTH - 1, CANVAS_HEIGHT - 1};
        const int x0 = any(random), y0 = any(random), x1 = any(random), y1 = any(random);
        if (x0 == x1 || y0 == y1) continue;
        set_pen_colour(15);
        draw_line(x0, y0, x1, y1);
        const bool steep = std::abs(y1 - y0) > std::abs(x1 - x0);
        const int a0 = steep ? y0 : x0, b0 = steep ? x0 : y0, a1 = steep ? y1 : x1, b1 = steep ? x1 : y1;
        for (int a = std::min(a0, a1); a <= std::max(a0, a1); ++a) {
            int points = 0;
            for (int b = 0; b <= 60; ++b) {
                if ((steep ? read_cell(b, a) : read_cell(a, b)) == 0) continue;
                ++points;
                const double ideal = b0 + static_cast<double>(b1 - b0) * (a - a0) / (a1 - a0);
                EXPECT_LE(std::abs(b - ideal), 0.5) << x0 << "," << y0 << " to " << x1 << "," << y1;
            }
            ASSERT_EQ(points, 1) << x0 << "," << y0 << " to " << x1 << "," << y1 << " at " << a;
        }
    }
    canvas_reset();
}
