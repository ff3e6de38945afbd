// The main window's procedure: every message it handles only feeds the
// input slots (shell/input.h) or repaints from the backing bitmap.
#include <windows.h>
#include <windowsx.h>

#include "graphics/canvas.h"
#include "shell/input.h"
#include "shell/win32/win32_shell.h"

namespace {

// Pointer coordinates are signed 16-bit values in lParam.
int pointer_x(LPARAM lparam) { return GET_X_LPARAM(lparam); }
int pointer_y(LPARAM lparam) { return GET_Y_LPARAM(lparam); }

bool key_down(int virtual_key) { return (GetKeyState(virtual_key) & 0x8000) != 0; }

bool key_down_message(WPARAM key) {
    switch (key) {
    case VK_UP: input_key_down(PKEY_UP); return true;
    case VK_DOWN: input_key_down(PKEY_DOWN); return true;
    case VK_RIGHT: input_key_down(PKEY_RIGHT); return true;
    case VK_LEFT: input_key_down(PKEY_LEFT); return true;
    case VK_DELETE: input_key_down(PKEY_DELETE); return true;
    case VK_PRINT: input_key_down(PKEY_PRINT); return true;
    case VK_CONTROL: input_key_down(PKEY_CONTROL); return true;
    case VK_SHIFT:
        // One message for both keys: ask which of them is down.
        if (key_down(VK_LSHIFT)) input_key_down(PKEY_LEFT_SHIFT);
        if (key_down(VK_RSHIFT)) input_key_down(PKEY_RIGHT_SHIFT);
        return true;
    default: return false;
    }
}

bool key_up_message(WPARAM key) {
    switch (key) {
    case VK_CONTROL: input_key_up(PKEY_CONTROL); return true;
    case VK_SHIFT:
        // Each slot is cleared only when its own key is up.
        if (!key_down(VK_LSHIFT)) input_key_up(PKEY_LEFT_SHIFT);
        if (!key_down(VK_RSHIFT)) input_key_up(PKEY_RIGHT_SHIFT);
        return true;
    default: return false;
    }
}

}  // namespace

LRESULT CALLBACK win32_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CHAR: input_char(static_cast<int>(wparam)); return 0;
    case WM_COMMAND:
        if (lparam == 0 && HIWORD(wparam) == 0) {
            input_menu(LOWORD(wparam));
            return 0;
        }
        DefWindowProcA(window, message, wparam, lparam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        input_button(PBUTTON_LEFT, message == WM_LBUTTONDOWN, pointer_x(lparam), pointer_y(lparam), false);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        input_button(PBUTTON_RIGHT, message == WM_RBUTTONDOWN, pointer_x(lparam), pointer_y(lparam), false);
        return 0;
    case WM_MOUSEMOVE: input_pointer_move(pointer_x(lparam), pointer_y(lparam)); return 0;
    case WM_KEYDOWN:
        if (key_down_message(wparam)) return 0;
        DefWindowProcA(window, message, wparam, lparam);
        return 0;
    case WM_KEYUP:
        if (key_up_message(wparam)) return 0;
        DefWindowProcA(window, message, wparam, lparam);
        return 0;
    case WM_MOUSEACTIVATE: return input_state.help_open ? MA_NOACTIVATEANDEAT : MA_ACTIVATE;
    case WM_GETMINMAXINFO: {
        // The limits are for the client area; the frame and the menu bar
        // come on top, or fitting the client area to the same size would
        // be cut short by them.
        auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
        RECT outer = {0, 0, win32_shell.max_track_width, win32_shell.max_track_height};
        AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), TRUE, 0);
        info->ptMaxTrackSize.x = outer.right - outer.left;
        info->ptMaxTrackSize.y = outer.bottom - outer.top;
        return 0;
    }
    case WM_PAINT: {
        if (!GetUpdateRect(window, nullptr, TRUE) || win32_shell.memory_dc == nullptr)
            return DefWindowProcA(window, message, wparam, lparam);
        PAINTSTRUCT paint;
        {
            PointerHidden hidden;
            BeginPaint(window, &paint);
            win32_blit_backing(win32_shell.window_dc);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CLOSE:
        // The close box asks about unsaved work first, as Quit does.
        input_close_request();
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}
