// The window shows what was drawn before the program sleeps in its wait,
// so the last step of a drag is on screen without a further event.
#include <gtest/gtest.h>
#include "graphics/canvas.h"
#include "graphics/palette.h"
#include "shell/headless/headless.h"
#include "shell/input.h"
#include "shell/platform.h"

namespace {

bool drawn_but_not_shown_at_wait = false;
int waits = 0;

void spy_wait() {
    ++waits;
    // Anything still in the changed rectangle here would wait for the next event.
    drawn_but_not_shown_at_wait = drawn_but_not_shown_at_wait || !take_changed_rect().empty();
}

}  // namespace

TEST(PresentBeforeWait, EverythingDrawnIsPresentedBeforeTheWaitSleeps) {
    canvas_reset();
    headless_install();
    PlatformBackend spy = *platform;
    spy.wait_event = spy_wait;
    set_platform(&spy);
    for (int step = 0; step < 3; ++step) {
        set_pen_colour(scheme_colour(ROLE_OBJECT));
        draw_line(100, 100 + step, 140, 100 + step);  // a rubber band's next position
        wait_for_message();
    }
    EXPECT_EQ(waits, 3);
    EXPECT_FALSE(drawn_but_not_shown_at_wait);
    headless_install();
}
