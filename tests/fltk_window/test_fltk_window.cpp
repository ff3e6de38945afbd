// The desktop window's rulings on a real X display (the test command runs
// this under Xvfb): the window class, a message box wide enough for its
// caption, the help viewer brought forward by a menu choice, and a
// question asked while help is open raised above it with the keyboard.
#include <gtest/gtest.h>
#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include "shell/dialogs.h"
#include "shell/fltk/fltk_backend.h"
#include "shell/fltk/fltk_shell.h"
#include "shell/input.h"
#include "support/board_builders.h"

namespace {

// What a test does while a dialog runs: steps taken in turn from a timer,
// each once its condition holds. A step may itself open a dialog, so the
// next one is due before it runs.
struct Step {
    std::string name;
    std::function<bool()> ready;
    std::function<void()> act;
};

struct Stepper {
    std::vector<Step> steps;
    size_t next = 0;
    int ticks = 0;
};

Stepper stepper;

constexpr double TICK = 0.02;
constexpr int GIVE_UP_TICKS = 400;

// Hides every window but the main one, which ends the dialogs' loops.
void close_dialogs() {
    std::vector<Fl_Window*> open;
    for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w))
        if (w != fltk_shell.main_window) open.push_back(w);
    for (Fl_Window* w : open) w->hide();
}

void tick(void*) {
    if (stepper.next >= stepper.steps.size()) return;
    Fl::add_timeout(TICK, tick);
    const Step& step = stepper.steps[stepper.next];
    if (!step.ready()) {
        if (++stepper.ticks > GIVE_UP_TICKS) {
            ADD_FAILURE() << "gave up waiting for: " << step.name;
            stepper.next = stepper.steps.size();
            close_dialogs();
        }
        return;
    }
    stepper.ticks = 0;
    ++stepper.next;
    step.act();
}

void run_steps_during(std::vector<Step> steps, const std::function<void()>& dialog) {
    stepper = Stepper{std::move(steps), 0, 0};
    Fl::add_timeout(TICK, tick);
    dialog();
    EXPECT_EQ(stepper.next, stepper.steps.size()) << "the dialog ended before every step ran";
    stepper.next = stepper.steps.size();
    Fl::remove_timeout(tick);
}

Fl_Window* window_titled(const std::string& title) {
    for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w))
        if (w->label() != nullptr && title == w->label()) return w;
    return nullptr;
}

bool viewable(Fl_Window* w) {
    if (w == nullptr || !w->shown()) return false;
    XWindowAttributes attributes;
    return XGetWindowAttributes(fl_display, fl_xid(w), &attributes) != 0 && attributes.map_state == IsViewable;
}

std::function<bool()> shows(const std::string& title) {
    return [title] { return viewable(window_titled(title)); };
}

std::string window_class(Fl_Window* w) {
    XClassHint hint{};
    if (XGetClassHint(fl_display, fl_xid(w), &hint) == 0) return "(none)";
    std::string result = hint.res_class ? hint.res_class : "(null)";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return result;
}

// The child of the root that holds a window: the window itself, or the
// frame a window manager put around it.
Window top_of(Window w) {
    for (;;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(fl_display, w, &root, &parent, &children, &count) == 0) return w;
        if (children) XFree(children);
        if (parent == root || parent == 0) return w;
        w = parent;
    }
}

// Where a window stands among the root's children, bottom first.
int stacking_place(Fl_Window* w) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(fl_display, DefaultRootWindow(fl_display), &root, &parent, &children, &count);
    const Window top = top_of(fl_xid(w));
    int place = -1;
    for (unsigned i = 0; i < count; ++i)
        if (children[i] == top) place = static_cast<int>(i);
    if (children) XFree(children);
    return place;
}

bool above(Fl_Window* upper, Fl_Window* lower) { return stacking_place(upper) > stacking_place(lower); }

Window keyboard_focus() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(fl_display, &focus, &revert);
    return focus;
}

bool has_focus(Fl_Window* w) {
    const Window focus = keyboard_focus();
    return focus != None && focus != PointerRoot && top_of(focus) == top_of(fl_xid(w));
}

// A key pressed and released as the keyboard delivers it: to the window
// that has the keyboard focus.
void press_key(KeySym symbol) {
    const Window focus = keyboard_focus();
    ASSERT_NE(focus, static_cast<Window>(None));
    ASSERT_NE(focus, static_cast<Window>(PointerRoot));
    for (int type : {KeyPress, KeyRelease}) {
        XEvent event{};
        event.xkey.type = type;
        event.xkey.display = fl_display;
        event.xkey.window = focus;
        event.xkey.root = DefaultRootWindow(fl_display);
        event.xkey.same_screen = True;
        event.xkey.keycode = XKeysymToKeycode(fl_display, symbol);
        XSendEvent(fl_display, focus, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
    }
    XFlush(fl_display);
}

class FltkWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
        reset_everything();
        ASSERT_TRUE(fltk_install(wine_));
        saved_close_handler_ = close_request_handler;
        for (int tries = 0; tries < 200 && !viewable(fltk_shell.main_window); ++tries) Fl::wait(0.05);
        ASSERT_TRUE(viewable(fltk_shell.main_window)) << "the main window did not appear";
    }
    void TearDown() override {
        close_request_handler = saved_close_handler_;
        if (fltk_shell.main_window != nullptr) fltk_teardown();
        reset_everything();
    }

    bool wine_ = false;
    void (*saved_close_handler_)() = nullptr;
};

class FltkWineWindow : public FltkWindow {
protected:
    FltkWineWindow() { wine_ = true; }
};

int close_answer = -1;
int close_questions = 0;

// The editor's close request with unsaved work, answer recorded.
void ask_before_closing() {
    ++close_questions;
    close_answer = message_box("Warning", "Buffer not saved - really quit?", true);
}

}  // namespace

// Desktops and window managers name the program by the class of its
// windows: the main window's and every dialog's is "Cuprolay".
TEST_F(FltkWindow, EveryWindowHasTheProgramsClass) {
    EXPECT_EQ(window_class(fltk_shell.main_window), "Cuprolay");
    std::string help_class, box_class;
    run_steps_during({{"the help viewer", shows("Help"),
                       [&] {
                           help_class = window_class(window_titled("Help"));
                           window_titled("Help")->hide();
                       }}},
                     [] { help_viewer(0, "About Cuprolay"); });
    run_steps_during({{"the message box", shows("Note"),
                       [&] {
                           box_class = window_class(window_titled("Note"));
                           window_titled("Note")->hide();
                       }}},
                     [] { EXPECT_EQ(message_box("Note", "text", false), 0); });
    EXPECT_EQ(help_class, "Cuprolay");
    EXPECT_EQ(box_class, "Cuprolay");
}

// The title bar shows the caption in a bold face beside the window
// manager's buttons; the box is wide enough for it whatever its text.
TEST_F(FltkWindow, AMessageBoxIsWideEnoughForItsWholeCaption) {
    for (const char* caption : {"E", "Warning", "Error: Could not open output file:",
                                "Error: Could not open output file: /home/user/boards/a-long-name.pdf"}) {
        int box_width = 0, caption_width = 0;
        run_steps_during({{caption, shows(caption),
                           [&] {
                               box_width = window_titled(caption)->w();
                               fl_font(FL_HELVETICA_BOLD, 16);
                               caption_width = static_cast<int>(fl_width(caption));
                               window_titled(caption)->hide();
                           }}},
                         [&] { message_box(caption, "x", true); });
        // Room for three title bar buttons beside the caption.
        EXPECT_GE(box_width, caption_width + 3 * 30) << caption;
    }
}

// With "-wine" the help viewer's white area is 320 by 500.
TEST_F(FltkWineWindow, HelpViewerIs320By500) {
    int w = 0, h = 0;
    run_steps_during({{"the help viewer", shows("Help"),
                       [&] {
                           w = window_titled("Help")->w();
                           h = window_titled("Help")->h();
                           window_titled("Help")->hide();
                       }}},
                     [] { help_viewer(0, "About Cuprolay"); });
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 500);
}

// A menu choice while help is open does nothing but bring the viewer in
// front of the main window; nothing reaches the editor afterwards.
TEST_F(FltkWindow, AMenuChoiceWhileHelpIsOpenOnlyBringsHelpForward) {
    const Fl_Menu_Item* item = fltk_menu_items();
    while (item->text != nullptr && item->callback() == nullptr) ++item;
    ASSERT_NE(item->text, nullptr);
    auto help = [] { return window_titled("Help"); };
    bool help_still_open = false;
    run_steps_during(
        {
            {"the help viewer", shows("Help"),
             [&] {
                 XRaiseWindow(fl_display, top_of(fl_xid(fltk_shell.main_window)));
                 XFlush(fl_display);
             }},
            {"the main window above help", [&] { return above(fltk_shell.main_window, help()); },
             [&] { item->do_callback(fltk_shell.menu_bar); }},
            {"help in front again", [&] { return above(help(), fltk_shell.main_window); },
             [&] {
                 help_still_open = viewable(help());
                 help()->hide();
             }},
        },
        [] { help_viewer(0, "About Cuprolay"); });
    EXPECT_TRUE(help_still_open);
    Fl::check();
    EXPECT_EQ(key_available(), 0);
}

// The window's close box with unsaved work while help is open: the
// question comes above every window of the program with the keyboard, so
// Enter answers it (OK) and leaves help open.
TEST_F(FltkWindow, TheCloseQuestionOverHelpHasTheKeyboard) {
    close_request_handler = ask_before_closing;
    close_answer = -1;
    close_questions = 0;
    auto help = [] { return window_titled("Help"); };
    auto question = [] { return window_titled("Warning"); };
    bool raised = false, focused = false, help_after = false;
    run_steps_during(
        {
            {"the help viewer", shows("Help"),
             [&] {
                 // The user reads help: it has the keyboard.
                 XSetInputFocus(fl_display, fl_xid(help()), RevertToParent, CurrentTime);
                 XFlush(fl_display);
             }},
            {"help with the keyboard", [&] { return has_focus(help()); },
             [&] { fltk_shell.main_window->do_callback(); }},
            {"the question", [&] { return viewable(question()); },
             [&] {
                 raised = above(question(), help()) && above(question(), fltk_shell.main_window);
                 focused = has_focus(question());
                 press_key(XK_Return);
             }},
            {"the answer", [&] { return close_answer != -1; },
             [&] {
                 help_after = viewable(help());
                 if (help()) help()->hide();
             }},
        },
        [] { help_viewer(0, "About Cuprolay"); });
    EXPECT_EQ(close_questions, 1);
    EXPECT_TRUE(raised);
    EXPECT_TRUE(focused);
    EXPECT_EQ(close_answer, 0) << "Enter did not answer the question with OK";
    EXPECT_TRUE(help_after) << "Enter closed help instead";
}
