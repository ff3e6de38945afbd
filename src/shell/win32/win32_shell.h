#pragma once
// What the parts of the Windows backend share: the one main window, its
// device contexts and backing bitmap, and the values of the run.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "shell/platform.h"

struct Win32ShellState {
    HINSTANCE instance = nullptr;
    HWND main_window = nullptr;
    HDC window_dc = nullptr;
    HDC memory_dc = nullptr;
    HBITMAP backing_bitmap = nullptr;  // a 32-bit top-down DIB section
    HGDIOBJ previous_bitmap = nullptr;
    uint8_t* backing_bits = nullptr;   // its BGRX pixels, rows of 1279 * 4 bytes
    bool wine = false;                 // "-wine": the help viewer's fixed size
    int max_track_width = 639;
    int max_track_height = 455;
};

extern Win32ShellState win32_shell;

// The main window's procedure (win32_window_proc.cpp).
LRESULT CALLBACK win32_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// The whole backing bitmap to the window (paint).
void win32_blit_backing(HDC target);
// Sizes a window so that its client area is exactly width by height.
void win32_fit_client_area(HWND window, int width, int height);

// The raw dialogs (win32_dialogs.cpp, win32_file_chooser.cpp), each as the
// PlatformBackend field of its name promises.
int win32_message_box(const char* caption, const char* text, bool with_cancel);
int win32_ask(const char* label, const char* default_text, char* answer, size_t capacity);
int win32_choose_file(char mode, const char* title, const char* initial_name,
                      const char* default_extension, const FileFilter* filters,
                      int filter_count, bool must_exist, char* path, size_t capacity);
int win32_export_dialog(ExportDialogFields* fields, void (*format_clicked)(char format));
void win32_help_viewer(const char* title);
