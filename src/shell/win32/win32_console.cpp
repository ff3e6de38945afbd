// Console streams for the window program when it is run from a console.
#include <windows.h>

#include <cstdio>

#include "shell/win32/win32_backend.h"

namespace {

bool has_stream(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void win32_attach_parent_console() {
    // Redirected streams (files, pipes) are already right; only a program
    // started bare from a console window lacks them.
    if (has_stream(STD_OUTPUT_HANDLE) && has_stream(STD_ERROR_HANDLE)) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!has_stream(STD_OUTPUT_HANDLE)) std::freopen("CONOUT$", "w", stdout);
    if (!has_stream(STD_ERROR_HANDLE)) std::freopen("CONOUT$", "w", stderr);
    if (!has_stream(STD_INPUT_HANDLE)) std::freopen("CONIN$", "r", stdin);
}
