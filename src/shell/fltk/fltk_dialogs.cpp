// The message box, the ask prompt and the export dialog as FLTK windows.
// They only show widgets and report what was chosen; what an answer
// means is decided by the portable dialogs.
#include <FL/Fl.H>
#include <FL/x.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include "shell/fltk/fltk_shell.h"

namespace {

constexpr int FONT_SIZE = 14;
constexpr int BUTTON_WIDTH = 84;
constexpr int BUTTON_HEIGHT = 28;

// A static text drawn as given: no '@' symbols, no '&' underlines, since
// the texts are file names and typed answers.
class PlainText : public Fl_Widget {
public:
    PlainText(int x, int y, int w, int h, const char* text) : Fl_Widget(x, y, w, h), text_(text ? text : "") {}
    void draw() override {
        fl_font(FL_HELVETICA, FONT_SIZE);
        fl_color(FL_FOREGROUND_COLOR);
        fl_draw(text_.c_str(), x(), y(), w(), h(), Fl_Align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP),
                nullptr, 0);
    }

private:
    std::string text_;
};

// How a dialog ended; the window's close box and Escape count as Cancel.
struct DialogOutcome {
    Fl_Window* window = nullptr;
    bool ok = false;
};

void choose_ok(Fl_Widget*, void* outcome) {
    auto* o = static_cast<DialogOutcome*>(outcome);
    o->ok = true;
    o->window->hide();
}

void choose_cancel(Fl_Widget*, void* outcome) {
    auto* o = static_cast<DialogOutcome*>(outcome);
    o->ok = false;
    o->window->hide();
}

// Puts OK (the default) and Cancel at the bottom right of a dialog with a
// text field, and runs it modally, centred on the pointer. The field's text
// is selected, so typing replaces it.
void run_field_dialog(Fl_Window& window, DialogOutcome& outcome, Fl_Input* field) {
    const int w = window.w(), by = window.h() - BUTTON_HEIGHT - 14;
    auto* ok = new Fl_Return_Button(w - 16 - 2 * BUTTON_WIDTH - 10, by, BUTTON_WIDTH, BUTTON_HEIGHT, "OK");
    ok->callback(choose_ok, &outcome);
    auto* cancel = new Fl_Button(w - 16 - BUTTON_WIDTH, by, BUTTON_WIDTH, BUTTON_HEIGHT, "Cancel");
    cancel->callback(choose_cancel, &outcome);
    window.end();
    window.callback(choose_cancel, &outcome);
    fltk_centre_on_pointer(&window);
    field->take_focus();
    field->position(field->size(), 0);
    fltk_run_modal(&window);
}

// Measures a text as PlainText draws it, wrapped at max_width.
void measure_text(const char* text, int max_width, int* w, int* h) {
    fl_font(FL_HELVETICA, FONT_SIZE);
    int tw = 0, th = 0;
    fl_measure(text, tw, th, 0);
    if (tw > max_width) {
        tw = max_width;
        th = 0;
        fl_measure(text, tw, th, 0);
    }
    *w = tw;
    *h = th;
}

}  // namespace

// Gives a shown dialog the keyboard: the X focus, and the window
// manager's active window, which a managed desktop goes by.
static void take_keyboard(Fl_Window* window) {
    const Window xid = fl_xid(window);
    XSetInputFocus(fl_display, xid, RevertToParent, CurrentTime);
    XEvent activate{};
    activate.xclient.type = ClientMessage;
    activate.xclient.window = xid;
    activate.xclient.message_type = XInternAtom(fl_display, "_NET_ACTIVE_WINDOW", False);
    activate.xclient.format = 32;
    activate.xclient.data.l[0] = 1;  // asked by an application
    activate.xclient.data.l[1] = CurrentTime;
    XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &activate);
}

// X gives the focus only to a mapped window, and a window manager maps a
// new one in its own time; false when it was not mapped within a while.
static bool wait_until_mapped(Fl_Window* window) {
    for (int tries = 0; tries < 100 && window->shown(); ++tries) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(fl_display, fl_xid(window), &attributes) != 0 &&
            attributes.map_state == IsViewable)
            return true;
        Fl::wait(0.02);
    }
    return false;
}

void fltk_run_modal(Fl_Window* window) {
    present_changes();
    window->set_modal();
    window->show();
    // Above every window of the program, the help viewer too, and with the
    // keyboard, so that a question asked while help is open is seen and
    // answered: Enter would otherwise close help and leave it unanswered.
    XRaiseWindow(fl_display, fl_xid(window));
    if (wait_until_mapped(window)) take_keyboard(window);
    XFlush(fl_display);
    while (window->shown()) Fl::wait();
}

static void keep_on_screen(Fl_Window* window, int x, int y) {
    int sx, sy, sw, sh;
    Fl::screen_work_area(sx, sy, sw, sh, x + window->w() / 2, y + window->h() / 2);
    x = std::max(sx, std::min(x, sx + sw - window->w()));
    y = std::max(sy, std::min(y, sy + sh - window->h()));
    window->position(x, y);
}

void fltk_centre_on_pointer(Fl_Window* window) {
    int px = 0, py = 0;
    Fl::get_mouse(px, py);
    keep_on_screen(window, px - window->w() / 2, py - window->h() / 2);
}

void fltk_centre_on_main_window(Fl_Window* window) {
    Fl_Window* main = fltk_shell.main_window;
    if (!main) return;
    keep_on_screen(window, main->x() + (main->w() - window->w()) / 2,
                   main->y() + (main->h() - window->h()) / 2);
}

int fltk_message_box(const char* caption, const char* text, bool with_cancel) {
    const char* shown = text ? text : "";
    int tw, th;
    measure_text(shown, 520, &tw, &th);
    int buttons = with_cancel ? 2 : 1;
    int buttons_width = buttons * BUTTON_WIDTH + (buttons - 1) * 10;
    int w = std::max(tw, buttons_width) + 48;
    int h = th + 24 + 20 + BUTTON_HEIGHT + 16;
    // The title bar shows the caption in a larger, bold face beside its
    // buttons; a box sized to its text alone cut the caption short.
    if (caption != nullptr) {
        fl_font(FL_HELVETICA_BOLD, 16);
        w = std::max(w, static_cast<int>(fl_width(caption)) + 140);
    }

    Fl_Window window(w, h, caption ? caption : "");
    DialogOutcome outcome;
    outcome.window = &window;
    new PlainText(24, 22, w - 48, th + 2, shown);
    int bx = (w - buttons_width) / 2, by = h - BUTTON_HEIGHT - 14;
    auto* ok = new Fl_Return_Button(bx, by, BUTTON_WIDTH, BUTTON_HEIGHT, "OK");
    ok->callback(choose_ok, &outcome);
    if (with_cancel) {
        auto* cancel = new Fl_Button(bx + BUTTON_WIDTH + 10, by, BUTTON_WIDTH, BUTTON_HEIGHT, "Cancel");
        cancel->callback(choose_cancel, &outcome);
    }
    window.end();
    // Closing a box that offers only OK is OK.
    window.callback(with_cancel ? choose_cancel : choose_ok, &outcome);
    fltk_centre_on_main_window(&window);
    ok->take_focus();
    fltk_run_modal(&window);
    return with_cancel && !outcome.ok ? DIALOG_CANCEL : DIALOG_OK;
}

int fltk_ask(const char* label, const char* default_text, char* answer, size_t capacity) {
    const int w = 320;
    int tw, th;
    measure_text(label ? label : "", w - 32, &tw, &th);
    int field_y = 14 + th + 6;
    int h = field_y + 28 + 16 + BUTTON_HEIGHT + 14;

    Fl_Window window(w, h, "Enter");
    DialogOutcome outcome;
    outcome.window = &window;
    new PlainText(16, 14, w - 32, th + 2, label);
    auto* field = new Fl_Input(16, field_y, w - 32, 28);
    field->textsize(FONT_SIZE);
    if (capacity > 1) field->maximum_size(static_cast<int>(capacity - 1));
    field->value(default_text ? default_text : "");
    run_field_dialog(window, outcome, field);

    if (!outcome.ok) return DIALOG_CANCEL;
    if (capacity > 0) {
        size_t length = std::min(std::strlen(field->value()), capacity - 1);
        std::memcpy(answer, field->value(), length);
        answer[length] = '\0';
    }
    return DIALOG_OK;
}

namespace {

struct ExportChoice {
    ExportDialogFields* fields;
    void (*format_clicked)(char format);
    char format;
};

struct FormatButton {
    char format;
    const char* label;
};

// The four formats; the last writes the board house's layer files.
const FormatButton format_buttons[] = {
    {'D', "PDF"},
    {'P', "Postscript Level 1 (B/W)"},
    {'Q', "Postscript Level 2 (Color)"},
    {'G', "Gerber (RS-274X) and Excellon"},
};

struct FormatClick {
    ExportChoice* choice;
    char format;
};

// Each click counts at once, as the portable dialog expects.
void format_clicked_cb(Fl_Widget*, void* data) {
    auto* click = static_cast<FormatClick*>(data);
    click->choice->format = click->format;
    click->choice->fields->format = click->format;
    if (click->choice->format_clicked) click->choice->format_clicked(click->format);
}

}  // namespace

int fltk_export_dialog(ExportDialogFields* fields, void (*format_clicked)(char format)) {
    const int w = 340, h = 270;
    Fl_Window window(w, h, "Export");
    DialogOutcome outcome;
    outcome.window = &window;
    ExportChoice choice{fields, format_clicked, fields->format};

    auto* group = new Fl_Group(16, 28, w - 32, 124, "to file format");
    group->box(FL_ENGRAVED_FRAME);
    group->align(Fl_Align(FL_ALIGN_TOP_LEFT));
    group->labelsize(FONT_SIZE);
    FormatClick clicks[4];
    for (int i = 0; i < 4; ++i) {
        clicks[i] = {&choice, format_buttons[i].format};
        auto* radio = new Fl_Round_Button(28, 36 + i * 28, w - 56, 26, format_buttons[i].label);
        radio->type(FL_RADIO_BUTTON);
        radio->labelsize(FONT_SIZE);
        radio->clear_visible_focus();
        radio->value(fields->format == format_buttons[i].format);
        radio->callback(format_clicked_cb, &clicks[i]);
    }
    group->end();

    auto* hscale = new Fl_Input(16, 184, 140, 28, "Horizontal scaling");
    auto* vscale = new Fl_Input(w - 16 - 140, 184, 140, 28, "Vertical scaling");
    for (Fl_Input* field : {hscale, vscale}) {
        field->align(Fl_Align(FL_ALIGN_TOP_LEFT));
        field->labelsize(FONT_SIZE);
        field->textsize(FONT_SIZE);
        field->maximum_size(254);
    }
    hscale->value(fields->hscale_text);
    vscale->value(fields->vscale_text);

    run_field_dialog(window, outcome, hscale);

    if (!outcome.ok) return DIALOG_CANCEL;
    std::snprintf(fields->hscale_text, sizeof fields->hscale_text, "%s", hscale->value());
    std::snprintf(fields->vscale_text, sizeof fields->vscale_text, "%s", vscale->value());
    return DIALOG_OK;
}
