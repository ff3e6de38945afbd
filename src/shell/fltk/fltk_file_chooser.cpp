// The open and save choosers. The overwrite question is not the
// chooser's: the portable opener asks it.
#include <FL/Fl.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Window.H>
#include <cstring>
#include <string>
#include "shell/fltk/fltk_shell.h"
#include "shell/fltk/fltk_translate.h"

int fltk_choose_file(char mode, const char* title, const char* initial_name,
                     const char* default_extension, const FileFilter* filters, int filter_count,
                     bool must_exist, char* path, size_t capacity) {
    present_changes();
    std::string filter_text = fltk_filter_text(filters, filter_count);
    // A save chooser and an opener that may name a new board take any
    // name; the others only names of files that exist.
    int type = mode == 'r' && must_exist ? Fl_File_Chooser::SINGLE : Fl_File_Chooser::CREATE;
    Fl_File_Chooser chooser(".", filter_text.c_str(), type, title ? title : "");
    chooser.preview(0);
    chooser.ok_label(mode == 'w' ? "Save" : "Open");
    chooser.filter_value(0);
    if (initial_name != nullptr && initial_name[0] != '\0') chooser.value(initial_name);
    chooser.show();
    // The chooser's window is the modal one while it is shown.
    if (Fl_Window* window = Fl::modal()) fltk_centre_on_main_window(window);
    while (chooser.shown()) Fl::wait();

    const char* chosen = chooser.count() > 0 ? chooser.value() : nullptr;
    if (chosen == nullptr || chosen[0] == '\0') return 1;
    if (std::strlen(chosen) >= capacity) return 1;
    std::strcpy(path, chosen);
    apply_default_extension(path, capacity, default_extension);
    return 0;
}
