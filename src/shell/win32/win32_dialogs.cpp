// The message box and the one dialog procedure of the "ask", "print" and
// "help" resources; what an answer means is the portable dialogs' affair.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "shell/dialogs.h"
#include "shell/input.h"
#include "shell/win32/resource_ids.h"
#include "shell/win32/win32_shell.h"

namespace {

// What the open dialog works on; set before each dialog starts.
struct OpenDialog {
    const char* label = "";
    const char* default_text = "";
    char typed[DIALOG_TEXT_SIZE] = {};
    ExportDialogFields* fields = nullptr;
    void (*format_clicked)(char format) = nullptr;
    const char* help_title = "";
};

OpenDialog open_dialog;

char format_of(int id) {
    switch (id) {
    case IDC_FORMAT_PDF: return 'D';
    case IDC_FORMAT_PS1: return 'P';
    case IDC_FORMAT_GERBER: return 'G';
    case IDC_FORMAT_PS2: return 'Q';
    default: return 0;
    }
}

int button_of(char format) {
    switch (format) {
    case 'G': return IDC_FORMAT_GERBER;
    case 'P': return IDC_FORMAT_PS1;
    case 'Q': return IDC_FORMAT_PS2;
    default: return IDC_FORMAT_PDF;
    }
}

// The vertical pixel position of a character of the manual view.
int position_of(HWND view, LONG index) {
    return HIWORD(SendMessageA(view, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0));
}

void scroll_view_to(HWND view, int y) {
    POINT point = {0, y};
    SendMessageA(view, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&point));
}

void init_help(HWND dialog) {
    SetCapture(dialog);
    if (win32_shell.wine) win32_fit_client_area(dialog, 320, 500);
    HWND view = GetDlgItem(dialog, IDC_MANUAL_VIEW);
    LONG length = 0;
    if (HRSRC found = FindResourceA(win32_shell.instance, "manual", MAKEINTRESOURCEA(10))) {
        if (HGLOBAL loaded = LoadResource(win32_shell.instance, found)) {
            const char* text = static_cast<const char*>(LockResource(loaded));
            length = static_cast<LONG>(SizeofResource(win32_shell.instance, found));
            if (text) SendMessageA(view, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        }
    }
    RECT client;
    GetClientRect(dialog, &client);
    SCROLLINFO scroll = {};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    scroll.nMin = 0;
    scroll.nMax = position_of(view, length);
    scroll.nPage = static_cast<UINT>(client.bottom - client.top);
    SetScrollInfo(dialog, SB_VERT, &scroll, TRUE);

    LONG index = 0;
    if (open_dialog.help_title[0] != '\0') {
        FINDTEXTA find = {};
        find.chrg.cpMin = 0;
        find.chrg.cpMax = -1;
        find.lpstrText = open_dialog.help_title;
        LRESULT found = SendMessageA(view, EM_FINDTEXT, FR_DOWN, reinterpret_cast<LPARAM>(&find));
        if (found >= 0) index = static_cast<LONG>(found);
    }
    const int y = position_of(view, index);
    scroll.fMask = SIF_POS;
    scroll.nPos = y;
    SetScrollInfo(dialog, SB_VERT, &scroll, TRUE);
    scroll_view_to(view, y);
}

void help_scrolled(HWND dialog, WPARAM wparam) {
    SCROLLINFO scroll = {};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_ALL;
    GetScrollInfo(dialog, SB_VERT, &scroll);
    const int noted = scroll.nPos;
    int position = noted;
    switch (LOWORD(wparam)) {
    case SB_LINEUP: position -= 10; break;
    case SB_LINEDOWN: position += 10; break;
    case SB_PAGEUP: position -= static_cast<int>(scroll.nPage >> 1); break;
    case SB_PAGEDOWN: position += static_cast<int>(scroll.nPage >> 1); break;
    case SB_THUMBTRACK: position = scroll.nTrackPos; break;
    default: break;
    }
    scroll.fMask = SIF_POS;
    scroll.nPos = position;
    SetScrollInfo(dialog, SB_VERT, &scroll, TRUE);
    GetScrollInfo(dialog, SB_VERT, &scroll);
    if (scroll.nPos != noted) scroll_view_to(GetDlgItem(dialog, IDC_MANUAL_VIEW), scroll.nPos);
}

// Centred on the pointer, a dialog opened near the screen's edge would
// reach past it; all of it stays on the pointer's monitor.
void keep_on_screen(HWND dialog) {
    RECT box;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetWindowRect(dialog, &box) ||
        !GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const LONG x = std::max(work.left, std::min(box.left, work.right - (box.right - box.left)));
    const LONG y = std::max(work.top, std::min(box.top, work.bottom - (box.bottom - box.top)));
    if (x != box.left || y != box.top)
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message < WM_INITDIALOG || message > WM_CTLCOLORSTATIC) return 0;
    switch (message) {
    case WM_INITDIALOG:
        if (dialog_state.dialog_mode == DIALOG_ASK) {
            SetDlgItemTextA(dialog, IDC_PROMPT_LABEL, open_dialog.label);
            SetDlgItemTextA(dialog, IDC_TEXT_FIELD, open_dialog.default_text);
            keep_on_screen(dialog);
        } else if (dialog_state.dialog_mode == DIALOG_EXPORT) {
            SendDlgItemMessageA(dialog, button_of(open_dialog.fields->format), BM_SETCHECK, BST_CHECKED, 0);
            SetDlgItemTextA(dialog, IDC_TEXT_FIELD, open_dialog.fields->hscale_text);
            SetDlgItemTextA(dialog, IDC_SECOND_FIELD, open_dialog.fields->vscale_text);
            keep_on_screen(dialog);
        } else {
            init_help(dialog);
        }
        return 1;
    case WM_COMMAND: {
        const int id = static_cast<int>(wparam);
        if (char format = format_of(id)) {
            // A click counts at once; a later Cancel does not undo it.
            if (open_dialog.fields) {
                open_dialog.fields->format = format;
                if (open_dialog.format_clicked) open_dialog.format_clicked(format);
            }
            return 1;
        }
        if (id == IDOK) {
            GetDlgItemTextA(dialog, IDC_TEXT_FIELD, open_dialog.typed, DIALOG_TEXT_SIZE - 1);
            if (dialog_state.dialog_mode == DIALOG_EXPORT && open_dialog.fields) {
                std::snprintf(open_dialog.fields->hscale_text, sizeof open_dialog.fields->hscale_text, "%s",
                              open_dialog.typed);
                GetDlgItemTextA(dialog, IDC_SECOND_FIELD, open_dialog.fields->vscale_text,
                                DIALOG_TEXT_SIZE - 1);
            }
            EndDialog(dialog, DIALOG_OK);
            ReleaseCapture();
            return 1;
        }
        if (id == IDCANCEL) {
            EndDialog(dialog, DIALOG_CANCEL);
            ReleaseCapture();
            return 1;
        }
        return 0;
    }
    case WM_VSCROLL: help_scrolled(dialog, wparam); return 1;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wparam), 0x00FFFFFF);
        return 0;
    default: return 0;
    }
}

// The main window is repainted whole once a dialog is gone, so that no
// piece of the dialog stays on it until the next event.
void repaint_main_window() {
    if (win32_shell.main_window == nullptr) return;
    InvalidateRect(win32_shell.main_window, nullptr, FALSE);
    UpdateWindow(win32_shell.main_window);
}

INT_PTR run_dialog(const char* resource, HWND owner) {
    present_changes();
    INT_PTR result = DialogBoxParamA(win32_shell.instance, resource, owner, dialog_procedure, 0);
    repaint_main_window();
    return result;
}

}  // namespace

int win32_message_box(const char* caption, const char* text, bool with_cancel) {
    present_changes();
    int answer = MessageBoxA(win32_shell.main_window, text ? text : "", caption ? caption : "",
                             with_cancel ? MB_OKCANCEL : MB_OK);
    repaint_main_window();
    return with_cancel && answer == IDCANCEL ? DIALOG_CANCEL : DIALOG_OK;
}

int win32_ask(const char* label, const char* default_text, char* answer, size_t capacity) {
    open_dialog = OpenDialog{};
    open_dialog.label = label ? label : "";
    open_dialog.default_text = default_text ? default_text : "";
    if (run_dialog("ask", win32_shell.main_window) != DIALOG_OK) return DIALOG_CANCEL;
    if (capacity > 0) {
        std::strncpy(answer, open_dialog.typed, capacity - 1);
        answer[capacity - 1] = '\0';
    }
    return DIALOG_OK;
}

int win32_export_dialog(ExportDialogFields* fields, void (*format_clicked)(char format)) {
    open_dialog = OpenDialog{};
    open_dialog.fields = fields;
    open_dialog.format_clicked = format_clicked;
    return run_dialog("print", win32_shell.main_window) != DIALOG_OK ? DIALOG_CANCEL : DIALOG_OK;
}

void win32_help_viewer(const char* title) {
    open_dialog = OpenDialog{};
    open_dialog.help_title = title ? title : "";
    HMODULE rich_edit = LoadLibraryA("riched20.dll");
    // No owner: the main window stays enabled and swallows its clicks.
    run_dialog("help", nullptr);
    if (rich_edit) FreeLibrary(rich_edit);
}
