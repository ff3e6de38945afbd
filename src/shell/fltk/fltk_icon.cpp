// The window icon (shell/icon_picture.h) as FLTK's image.
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>
#include "shell/fltk/fltk_shell.h"
#include "shell/icon_picture.h"

namespace {

unsigned char icon_pixels[ICON_SIZE * ICON_SIZE * 3];

}  // namespace

void fltk_set_icon(Fl_Window* window) {
    static Fl_RGB_Image* icon = nullptr;
    if (icon == nullptr) {
        draw_program_icon(icon_pixels);
        icon = new Fl_RGB_Image(icon_pixels, ICON_SIZE, ICON_SIZE, 3);
    }
    window->icon(icon);
}
