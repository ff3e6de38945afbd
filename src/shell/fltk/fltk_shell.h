#pragma once
// What the parts of the FLTK backend share: the one main window and the
// values of the run.
#include <cstddef>
#include "shell/platform.h"

class Fl_Window;
class Fl_Menu_Bar;
struct Fl_Menu_Item;
class BoardView;

constexpr int MENU_BAR_HEIGHT = 25;

struct FltkShellState {
    Fl_Window* main_window = nullptr;
    Fl_Menu_Bar* menu_bar = nullptr;
    BoardView* board_view = nullptr;
    Fl_Window* help_window = nullptr;  // while the help viewer is open
    bool wine = false;                 // "-wine": fixed help viewer size
    int max_client_width = 639;
    int max_client_height = 455;
};

extern FltkShellState fltk_shell;

// The menu "mainmenu" (fltk_menu.cpp), and its items for a look.
void fltk_build_menu(Fl_Menu_Bar* bar);
const Fl_Menu_Item* fltk_menu_items();
// The window icon (fltk_icon.cpp).
void fltk_set_icon(Fl_Window* window);

// The raw dialogs (fltk_dialogs.cpp, fltk_file_chooser.cpp, fltk_help.cpp),
// each as the PlatformBackend field of its name promises.
int fltk_message_box(const char* caption, const char* text, bool with_cancel);
int fltk_ask(const char* label, const char* default_text, char* answer, size_t capacity);
int fltk_choose_file(char mode, const char* title, const char* initial_name,
                     const char* default_extension, const FileFilter* filters, int filter_count,
                     bool must_exist, char* path, size_t capacity);
int fltk_export_dialog(ExportDialogFields* fields, void (*format_clicked)(char format));
void fltk_help_viewer(const char* title);

// Runs a dialog window until it hides; the board shows what was drawn
// before it opened.
void fltk_run_modal(Fl_Window* window);
// Places a dialog with its centre on the pointer, kept on the screen.
void fltk_centre_on_pointer(Fl_Window* window);
// Places a dialog with its centre on the main window's.
void fltk_centre_on_main_window(Fl_Window* window);
