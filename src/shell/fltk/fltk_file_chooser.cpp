// The open and save choosers. The overwrite question is not the
// chooser's: the portable opener asks it.
#include <FL/Fl.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <cstring>
#include <string>
#include "shell/fltk/fltk_shell.h"
#include "shell/fltk/fltk_translate.h"

namespace {

// The chooser completes and follows the name field at every keystroke,
// which garbles a full path typed over the proposal. Its own handling of
// the field now runs only for Enter; other changes just enable OK.
struct NameFieldHook {
    Fl_Callback* original = nullptr;
    void* original_data = nullptr;
    Fl_Widget* ok_button = nullptr;
};

void name_field_changed(Fl_Widget* field, void* data) {
    auto* hook = static_cast<NameFieldHook*>(data);
    bool enter = Fl::event() == FL_KEYBOARD &&
                 (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter);
    if (enter) {
        hook->original(field, hook->original_data);
    } else if (hook->ok_button) {
        if (static_cast<Fl_Input_*>(field)->size() > 0)
            hook->ok_button->activate();
        else
            hook->ok_button->deactivate();
    }
}

template <typename T>
T* find_widget(Fl_Group* group) {
    for (int i = 0; i < group->children(); ++i) {
        Fl_Widget* child = group->child(i);
        if (auto* found = dynamic_cast<T*>(child)) return found;
        if (Fl_Group* inner = child->as_group())
            if (T* found = find_widget<T>(inner)) return found;
    }
    return nullptr;
}

void hook_name_field(Fl_Window* window, NameFieldHook* hook) {
    Fl_File_Input* field = find_widget<Fl_File_Input>(window);
    if (!field || !field->callback()) return;
    hook->original = field->callback();
    hook->original_data = field->user_data();
    hook->ok_button = find_widget<Fl_Return_Button>(window);
    field->callback(name_field_changed, hook);
    field->when(FL_WHEN_CHANGED | FL_WHEN_ENTER_KEY_ALWAYS);
}

}  // namespace

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
    NameFieldHook hook;
    if (Fl_Window* window = Fl::modal()) {
        fltk_centre_on_main_window(window);
        hook_name_field(window, &hook);
    }
    while (chooser.shown()) Fl::wait();

    const char* chosen = chooser.count() > 0 ? chooser.value() : nullptr;
    if (chosen == nullptr || chosen[0] == '\0') return DIALOG_CANCEL;
    if (std::strlen(chosen) >= capacity) {
        fltk_message_box("Error", "File name too long", false);
        return DIALOG_CANCEL;
    }
    std::strcpy(path, chosen);
    apply_default_extension(path, capacity, default_extension);
    return DIALOG_OK;
}
