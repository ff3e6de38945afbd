// The help viewer: the manual in a window titled "Help", scrolled so that
// the first occurrence of the topic's title is at the top.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>
#include <algorithm>
#include <string>
#include "shell/fltk/fltk_shell.h"
#include "shell/manual.h"

namespace {

// One entry per ManualStyle letter, from 'A'.
const Fl_Text_Display::Style_Table_Entry manual_style_table[] = {
    {FL_FOREGROUND_COLOR, FL_HELVETICA, 14, 0},        // body
    {fl_rgb_color(0, 0, 160), FL_HELVETICA_BOLD, 18, 0},  // heading
    {FL_FOREGROUND_COLOR, FL_HELVETICA_BOLD, 14, 0},   // subheading
    {fl_rgb_color(128, 0, 0), FL_COURIER_BOLD, 14, 0},    // keys and typed text
    {FL_FOREGROUND_COLOR, FL_HELVETICA_BOLD, 14, 0},   // strong
};

// Enter and Escape close the viewer as its close box does.
class HelpWindow : public Fl_Double_Window {
public:
    HelpWindow(int w, int h) : Fl_Double_Window(w, h, "Help") {}
    int handle(int event) override {
        if ((event == FL_KEYBOARD || event == FL_SHORTCUT) &&
            (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter || Fl::event_key() == FL_Escape)) {
            hide();
            return 1;
        }
        return Fl_Double_Window::handle(event);
    }
};

void close_help(Fl_Widget* window, void*) { window->hide(); }

constexpr int TEXT_MARGIN = 10;

// Empty lines after the end, so that the last topics too can reach the top.
constexpr int TRAILING_LINES = 60;

}  // namespace

void fltk_help_viewer(const char* title) {
    present_changes();
    // With "-wine" the text area is 320 by 500 pixels; otherwise a size
    // that reads comfortably.
    int w = fltk_shell.wine ? 320 : 500;
    int h = fltk_shell.wine ? 500 : 560;

    // The buffers outlive the window that shows them.
    Fl_Text_Buffer buffer;
    Fl_Text_Buffer style_buffer;
    // A white margin keeps the text off the window's left edge.
    // The margin lies inside that size, so the whole white area is w by h.
    HelpWindow window(w, h);
    window.color(FL_WHITE);
    auto* display = new Fl_Text_Display(TEXT_MARGIN, 0, w - TEXT_MARGIN, h);
    window.end();
    window.callback(close_help);
    window.resizable(display);

    std::string text(manual_text, manual_length);
    std::string styles(manual_styles, manual_length);
    text.append(TRAILING_LINES, '\n');
    styles.append(TRAILING_LINES, MANUAL_BODY);
    buffer.text(text.c_str());
    style_buffer.text(styles.c_str());
    display->buffer(&buffer);
    display->highlight_data(&style_buffer, manual_style_table,
                            sizeof manual_style_table / sizeof manual_style_table[0], 'A', nullptr,
                            nullptr);
    display->textfont(FL_HELVETICA);
    display->textsize(14);
    display->box(FL_FLAT_BOX);
    display->color(FL_WHITE);
    display->wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);

    // The dialog opens at a fixed place on the screen, kept on it.
    int sx, sy, sw, sh;
    Fl::screen_work_area(sx, sy, sw, sh);
    window.position(std::max(sx, std::min(sx + 525, sx + sw - window.w())),
                    std::max(sy, std::min(sy + 163, sy + sh - window.h())));

    fltk_shell.help_window = &window;
    present_changes();
    window.show();
    size_t offset = manual_topic_offset(title);
    int line = display->count_lines(0, static_cast<int>(offset), true);
    display->scroll(line + 1, 0);
    display->take_focus();
    // Not modal for FLTK: the main window keeps painting; its clicks are
    // swallowed while the help-open flag is set.
    while (window.shown()) Fl::wait();
    fltk_shell.help_window = nullptr;
}
