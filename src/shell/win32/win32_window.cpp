// The main window: class, creation, the backing bitmap the framebuffer is
// shown through, sizing, the pump and the wait, and teardown.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "graphics/canvas.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "shell/win32/win32_backend.h"
#include "shell/win32/win32_shell.h"

Win32ShellState win32_shell;

namespace {

void end_process(int status);

// Pump: every waiting message; the quit message ends the process.
void pump_events() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (GetMessageA(&message, nullptr, 0, 0) < 1) end_process(static_cast<int>(message.wParam));
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void wait_event() {
    // What was drawn since the last pump must be on the screen before the
    // program sleeps.
    present_changes();
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) WaitMessage();
    pump_events();
}

void warp_pointer(int window_x, int window_y) {
    POINT point = {window_x, window_y};
    ClientToScreen(win32_shell.main_window, &point);
    SetCursorPos(point.x, point.y);
}

void set_pointer_visible(bool visible) { ShowCursor(visible ? TRUE : FALSE); }

// Converts the changed framebuffer rows (RGB) into the DIB (BGRX) and
// copies that rectangle to the window: one blit, never one call per pixel.
void present(const Rect& rect) {
    if (win32_shell.backing_bits == nullptr || rect.empty()) return;
    const int x0 = std::max(rect.x0, 0), y0 = std::max(rect.y0, 0);
    const int x1 = std::min(rect.x1, FRAMEBUFFER_WIDTH - 1), y1 = std::min(rect.y1, FRAMEBUFFER_HEIGHT - 1);
    if (x0 > x1 || y0 > y1) return;
    GdiFlush();
    for (int y = y0; y <= y1; ++y) {
        const uint8_t* source = canvas.framebuffer[y][x0];
        uint8_t* target = win32_shell.backing_bits + (static_cast<size_t>(y) * FRAMEBUFFER_WIDTH + x0) * 4;
        for (int x = x0; x <= x1; ++x, source += 3, target += 4) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            target[3] = 0;
        }
    }
    BitBlt(win32_shell.window_dc, x0, y0, x1 - x0 + 1, y1 - y0 + 1, win32_shell.memory_dc, x0, y0, SRCCOPY);
}

void fit_client_area(int width, int height) {
    HWND window = win32_shell.main_window;
    if (window == nullptr) return;
    ShowWindow(window, SW_HIDE);
    win32_fit_client_area(window, width, height);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

void desktop_size(int* width, int* height) {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    *width = desktop.right;
    *height = desktop.bottom;
}

void set_max_client_size(int width, int height) {
    win32_shell.max_track_width = width;
    win32_shell.max_track_height = height;
}

void end_process(int status) {
    win32_teardown();
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(status);
}

PlatformBackend win32_backend = {
    .wait_event = wait_event,
    .pump_events = pump_events,
    .warp_pointer = warp_pointer,
    .set_pointer_visible = set_pointer_visible,
    .present = present,
    .fit_client_area = fit_client_area,
    .desktop_size = desktop_size,
    .message_box = win32_message_box,
    .ask = win32_ask,
    .choose_file = win32_choose_file,
    .export_dialog = win32_export_dialog,
    .help_viewer = win32_help_viewer,
    .set_max_client_size = set_max_client_size,
    .end_process = end_process,
};

bool create_backing_bitmap() {
    win32_shell.window_dc = GetDC(win32_shell.main_window);
    win32_shell.memory_dc = CreateCompatibleDC(win32_shell.window_dc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = FRAMEBUFFER_WIDTH;
    info.bmiHeader.biHeight = -FRAMEBUFFER_HEIGHT;  // top-down, as the framebuffer
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win32_shell.backing_bitmap = CreateDIBSection(win32_shell.window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (win32_shell.backing_bitmap == nullptr || win32_shell.memory_dc == nullptr) return false;
    win32_shell.backing_bits = static_cast<uint8_t*>(bits);
    win32_shell.previous_bitmap = SelectObject(win32_shell.memory_dc, win32_shell.backing_bitmap);
    return true;
}

}  // namespace

void win32_blit_backing(HDC target) {
    BitBlt(target, 0, 0, FRAMEBUFFER_WIDTH, FRAMEBUFFER_HEIGHT, win32_shell.memory_dc, 0, 0, SRCCOPY);
}

void win32_fit_client_area(HWND window, int width, int height) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int cw = client.right - client.left, ch = client.bottom - client.top;
    MoveWindow(window, outer.left, outer.top, cw, ch, FALSE);
    GetClientRect(window, &client);
    const int cw2 = client.right - client.left, ch2 = client.bottom - client.top;
    // The frame adds cw - cw2 by ch - ch2 around the client area.
    MoveWindow(window, outer.left, outer.top, cw + width - cw2, ch + height - ch2, FALSE);
}

const char* win32_command_tail() {
    // The program's own name comes first, quoted or not.
    const char* p = GetCommandLineA();
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
    }
    return p;
}

bool win32_install(bool wine_flag) {
    win32_shell = Win32ShellState{};
    win32_shell.wine = wine_flag;
    win32_shell.instance = GetModuleHandleA(nullptr);

    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = win32_window_procedure;
    window_class.hInstance = win32_shell.instance;
    window_class.hIcon = static_cast<HICON>(LoadImageA(win32_shell.instance, "cuprolayicon", IMAGE_ICON, 32, 32, 0));
    window_class.hIconSm = static_cast<HICON>(LoadImageA(win32_shell.instance, "cuprolayicon", IMAGE_ICON, 16, 16, 0));
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    window_class.lpszClassName = "Cuprolay";
    if (!RegisterClassExA(&window_class)) return false;

    win32_shell.main_window =
        CreateWindowExA(0, "Cuprolay", "Cuprolay 1.00 - 32-bit", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        639, 455, nullptr, LoadMenuA(win32_shell.instance, "mainmenu"), win32_shell.instance, nullptr);
    if (win32_shell.main_window == nullptr) return false;
    win32_fit_client_area(win32_shell.main_window, 639, 455);
    ShowWindow(win32_shell.main_window, SW_SHOWDEFAULT);
    if (!create_backing_bitmap()) {
        win32_teardown();
        return false;
    }
    set_platform(&win32_backend);
    return true;
}

void win32_teardown() {
    if (win32_shell.memory_dc && win32_shell.previous_bitmap) SelectObject(win32_shell.memory_dc, win32_shell.previous_bitmap);
    if (win32_shell.backing_bitmap) DeleteObject(win32_shell.backing_bitmap);
    if (win32_shell.memory_dc) DeleteDC(win32_shell.memory_dc);
    if (win32_shell.window_dc) ReleaseDC(win32_shell.main_window, win32_shell.window_dc);
    win32_shell.backing_bits = nullptr;
    win32_shell.backing_bitmap = nullptr;
    win32_shell.memory_dc = nullptr;
    win32_shell.window_dc = nullptr;
    set_platform(nullptr);
}
