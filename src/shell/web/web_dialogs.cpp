// The page's dialogs: HTML overlays the program waits on (the page's
// script builds them), and the help viewer over the compiled-in manual.
#include <emscripten.h>
#include <cstring>
#include <string>
#include "shell/manual.h"
#include "shell/platform.h"
#include "shell/web/web_shell.h"

namespace {

// The page's answers are DialogResult values: 0 OK, 1 Cancel.
EM_ASYNC_JS(int, js_message_box, (const char* caption, const char* text, int with_cancel), {
    return await CU.messageBox(UTF8ToString(caption), UTF8ToString(text), with_cancel != 0);
});

EM_ASYNC_JS(int, js_ask, (const char* label, const char* default_text, char* answer, int capacity), {
    const typed = await CU.ask(UTF8ToString(label), UTF8ToString(default_text));
    if (typed === null) return 1;
    stringToUTF8(typed, answer, capacity);
    return 0;
});

EM_ASYNC_JS(int, js_choose_file,
            (int mode, const char* title, const char* initial, const char* extension, const char* filters,
             int must_exist, char* path, int capacity),
            {
                const chosen = await CU.chooseFile(String.fromCharCode(mode), UTF8ToString(title),
                                                   UTF8ToString(initial), UTF8ToString(extension),
                                                   UTF8ToString(filters), must_exist != 0);
                if (chosen === null || lengthBytesUTF8(chosen) + 1 > capacity) return 1;
                stringToUTF8(chosen, path, capacity);
                return 0;
            });

EM_ASYNC_JS(int, js_export_dialog, (char* format, char* hscale, char* vscale, int capacity), {
    const answer = await CU.exportDialog(String.fromCharCode(HEAPU8[format]), UTF8ToString(hscale),
                                         UTF8ToString(vscale));
    if (answer === null) return 1;
    HEAPU8[format] = answer.format.charCodeAt(0);
    stringToUTF8(answer.hscale, hscale, capacity);
    stringToUTF8(answer.vscale, vscale, capacity);
    return 0;
});

EM_ASYNC_JS(void, js_help_viewer,
            (const char* text, const char* styles, int length, int offset), {
                await CU.helpViewer(HEAPU8, text, styles, length, offset);
            });

// The export dialog's format click, reported while it is open.
void (*pending_format_clicked)(char) = nullptr;

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void web_export_format_clicked(int format) {
    if (pending_format_clicked) pending_format_clicked(static_cast<char>(format));
}

int web_message_box(const char* caption, const char* text, bool with_cancel) {
    // The board behind the dialog shows what was drawn before it opened.
    present_changes();
    return js_message_box(caption ? caption : "", text ? text : "", with_cancel ? 1 : 0);
}

int web_ask(const char* label, const char* default_text, char* answer, size_t capacity) {
    present_changes();
    if (capacity == 0) return DIALOG_CANCEL;
    answer[0] = '\0';
    return js_ask(label ? label : "", default_text ? default_text : "", answer, static_cast<int>(capacity));
}

int web_choose_file(char mode, const char* title, const char* initial_name, const char* default_extension,
                    const FileFilter* filters, int filter_count, bool must_exist, char* path,
                    size_t capacity) {
    present_changes();
    if (capacity == 0) return DIALOG_CANCEL;
    // "label\tpattern" lines for the page's list.
    std::string list;
    for (int i = 0; i < filter_count; ++i) {
        list += filters[i].label ? filters[i].label : "";
        list += '\t';
        list += filters[i].pattern ? filters[i].pattern : "*";
        list += '\n';
    }
    path[0] = '\0';
    return js_choose_file(mode, title ? title : "", initial_name ? initial_name : "",
                          default_extension ? default_extension : "", list.c_str(), must_exist ? 1 : 0, path,
                          static_cast<int>(capacity));
}

int web_export_dialog(ExportDialogFields* fields, void (*format_clicked)(char format)) {
    present_changes();
    pending_format_clicked = format_clicked;
    int result = js_export_dialog(&fields->format, fields->hscale_text, fields->vscale_text,
                                  static_cast<int>(sizeof fields->hscale_text));
    pending_format_clicked = nullptr;
    return result;
}

void web_help_viewer(const char* title) {
    present_changes();
    js_help_viewer(manual_text, manual_styles, static_cast<int>(manual_length),
                   static_cast<int>(manual_topic_offset(title)));
}
