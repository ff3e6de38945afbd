// The main window: the board view that shows the framebuffer and turns
// FLTK events into the input calls, and the window operations of the
// platform seam.
#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include "graphics/canvas.h"
#include "shell/fltk/fltk_backend.h"
#include "shell/fltk/fltk_shell.h"
#include "shell/fltk/fltk_translate.h"
#include "shell/input.h"
#include "shell/platform.h"

FltkShellState fltk_shell;

// The board's extent at zoom 10: model x 0 to 630 and y 0 to 400.
constexpr int BOARD_PIXELS_WIDE = 631;
constexpr int BOARD_PIXELS_HIGH = 401;

// The drawing area below the menu bar. It never draws the board itself:
// it shows the framebuffer, and only the part that needs it.
class BoardView : public Fl_Widget {
public:
    BoardView(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}

    void draw() override {
        int cx, cy, cw, ch;
        fl_clip_box(x(), y(), w(), h(), cx, cy, cw, ch);
        if (cw <= 0 || ch <= 0) return;
        // Only the board's part of the framebuffer is shown: nothing is
        // drawn outside the board, and after zooming back the rest still
        // holds pieces of the doubled picture.
        int shown_width = BOARD_PIXELS_WIDE * canvas.zoom / 10;
        int shown_height = BOARD_PIXELS_HIGH * canvas.zoom / 10;
        int fx = cx - x(), fy = cy - y();
        int fw = std::min(cw, shown_width - fx);
        int fh = std::min(ch, shown_height - fy);
        if (fw > 0 && fh > 0)
            fl_draw_image(&canvas.framebuffer[fy][fx][0], cx, cy, fw, fh, 3, FRAMEBUFFER_WIDTH * 3);
        // Around the board the window is black.
        fl_color(FL_BLACK);
        if (fw < cw) fl_rectf(cx + std::max(fw, 0), cy, cw - std::max(fw, 0), ch);
        if (fh < ch) fl_rectf(cx, cy + std::max(fh, 0), cw, ch - std::max(fh, 0));
    }

    int handle(int event) override {
        int ex = Fl::event_x() - x();
        int ey = Fl::event_y() - y();
        switch (event) {
        case FL_FOCUS:
        case FL_UNFOCUS:
        case FL_ENTER:
        case FL_LEAVE: return 1;
        case FL_PUSH:
            // While the help viewer is open a click here only brings the
            // viewer forward.
            if (input_state.help_open) {
                if (fltk_shell.help_window) fltk_shell.help_window->show();
                return 1;
            }
            if (Fl::focus() != this) take_focus();
            if (PlatformButton button; mouse_button(&button))
                input_button(button, true, ex, ey, is_second_press(Fl::event_clicks()));
            return 1;
        case FL_RELEASE:
            if (PlatformButton button; mouse_button(&button)) input_button(button, false, ex, ey, false);
            return 1;
        case FL_MOVE:
        case FL_DRAG: input_pointer_move(ex, ey); return 1;
        case FL_KEYDOWN: {
            KeyTranslation key = translate_key_down(Fl::event_key(), Fl::event_text(), Fl::event_length(),
                                                    Fl::event_state(FL_CTRL) != 0,
                                                    Fl::event_state(FL_ALT) != 0);
            if (key.kind == KeyTranslation::NONE) return 0;  // Alt-letters open the menus
            if (input_state.help_open) return 1;
            deliver_key_down(key);
            return 1;
        }
        case FL_KEYUP: {
            PlatformKey key = translate_key_up(Fl::event_key());
            if (key == PKEY_OTHER) return 0;
            input_key_up(key);
            return 1;
        }
        default: return Fl_Widget::handle(event);
        }
    }

private:
    static bool mouse_button(PlatformButton* button) {
        if (Fl::event_button() == FL_LEFT_MOUSE) {
            *button = PBUTTON_LEFT;
            return true;
        }
        if (Fl::event_button() == FL_RIGHT_MOUSE) {
            *button = PBUTTON_RIGHT;
            return true;
        }
        return false;
    }
};

namespace {

void main_window_closed(Fl_Widget*, void*) {
    // FLTK calls this for Escape too; Escape is a key for the editor.
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
    input_close_request();
}

void fltk_wait_event() { Fl::wait(); }

void fltk_pump_events() { Fl::check(); }

void fltk_warp_pointer(int window_x, int window_y) {
    Fl_Window* window = fltk_shell.main_window;
    if (!window || !window->shown()) return;
    XWarpPointer(fl_display, None, fl_xid(window), 0, 0, 0, 0, window_x,
                 window_y + fltk_shell.board_view->y());
    XFlush(fl_display);
}

void fltk_set_pointer_visible(bool visible) {
    if (fltk_shell.main_window) fltk_shell.main_window->cursor(visible ? FL_CURSOR_DEFAULT : FL_CURSOR_NONE);
}

void fltk_present(const Rect& rect) {
    BoardView* view = fltk_shell.board_view;
    if (!view || rect.empty()) return;
    view->damage(FL_DAMAGE_USER1, view->x() + rect.x0, view->y() + rect.y0, rect.x1 - rect.x0 + 1,
                 rect.y1 - rect.y0 + 1);
    Fl::flush();
}

void apply_size_range() {
    Fl_Window* window = fltk_shell.main_window;
    window->size_range(100, MENU_BAR_HEIGHT + 50, fltk_shell.max_client_width,
                       fltk_shell.max_client_height + MENU_BAR_HEIGHT);
}

void fltk_set_max_client_size(int width, int height) {
    fltk_shell.max_client_width = width;
    fltk_shell.max_client_height = height;
    if (fltk_shell.main_window) apply_size_range();
}

void fltk_fit_client_area(int width, int height) {
    Fl_Window* window = fltk_shell.main_window;
    if (!window) return;
    // The client area is the drawing area; the menu bar lies above it.
    window->resize(window->x(), window->y(), width, height + MENU_BAR_HEIGHT);
    window->redraw();
    Fl::flush();
}

void fltk_desktop_size(int* width, int* height) {
    *width = Fl::w();
    *height = Fl::h();
}

void fltk_end_process(int status) {
    fltk_teardown();
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(status);
}

PlatformBackend fltk_backend = {
    .wait_event = fltk_wait_event,
    .pump_events = fltk_pump_events,
    .warp_pointer = fltk_warp_pointer,
    .set_pointer_visible = fltk_set_pointer_visible,
    .present = fltk_present,
    .fit_client_area = fltk_fit_client_area,
    .desktop_size = fltk_desktop_size,
    .message_box = fltk_message_box,
    .ask = fltk_ask,
    .choose_file = fltk_choose_file,
    .export_dialog = fltk_export_dialog,
    .help_viewer = fltk_help_viewer,
    .set_max_client_size = fltk_set_max_client_size,
    .end_process = fltk_end_process,
};

}  // namespace

bool fltk_install(bool wine_flag) {
    fltk_shell = FltkShellState{};
    fltk_shell.wine = wine_flag;

    // FLTK ends the process when the display does not open; ask first.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    fl_open_display(display);
    Fl::visual(FL_RGB);
    Fl::scheme("gtk+");

    // Desktops and window managers name the program by its window class.
    Fl_Window::default_xclass("Cuprolay");
    auto* window = new Fl_Window(639, 455 + MENU_BAR_HEIGHT, "Cuprolay 1.00 - 32-bit");
    window->xclass("Cuprolay");
    fltk_shell.main_window = window;
    auto* bar = new Fl_Menu_Bar(0, 0, 639, MENU_BAR_HEIGHT);
    fltk_shell.menu_bar = bar;
    fltk_build_menu(bar);
    auto* view = new BoardView(0, MENU_BAR_HEIGHT, 639, 455);
    fltk_shell.board_view = view;
    window->end();
    window->resizable(view);
    window->callback(main_window_closed);
    apply_size_range();
    fltk_set_icon(window);

    set_platform(&fltk_backend);
    window->show();
    view->take_focus();
    Fl::flush();
    return true;
}

void fltk_teardown() {
    if (fltk_shell.help_window) fltk_shell.help_window->hide();
    if (fltk_shell.main_window) {
        fltk_shell.main_window->hide();
        delete fltk_shell.main_window;
    }
    Fl::flush();
    fltk_shell = FltkShellState{};
    set_platform(nullptr);
}
