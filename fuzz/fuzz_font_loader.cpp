// Fuzzes the font bitmap loader, then draws every glyph with what it took.
#include <cstdio>

#include "graphics/font.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_reset();
    FILE* stream = fuzz_stream(data, size);
    const int result = load_font_bitmap(stream);
    std::fclose(stream);
    if (result == 0) {
        char text[257];
        for (int c = 0; c < 256; ++c) text[c] = static_cast<char>(c == 0 ? ' ' : c);
        text[256] = '\0';
        draw_text(0, 10, text);
    }
    font_reset();
    return 0;
}
