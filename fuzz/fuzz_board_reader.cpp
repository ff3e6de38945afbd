// Fuzzes the board reader: load, draw, save, load, save, load, save; the
// third save equals the first (each load reverses the object lists).
#include <cstdlib>

#include "board/draw.h"
#include "board/objects.h"
#include "fileio/board_file.h"
#include "support.h"

namespace {

std::string load_and_save(const uint8_t* data, size_t size) {
    deselect_all();
    clear_board();
    FILE* stream = fuzz_stream(data, size);
    load_board_file(stream);
    std::fclose(stream);
    fuzz_check_board("a load");
    return fuzz_board_text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_reset();
    try {
        const std::string first = load_and_save(data, size);
        redraw_rect({0, 0, 630, 400});
        const std::string second =
            load_and_save(reinterpret_cast<const uint8_t*>(first.data()), first.size());
        const std::string third =
            load_and_save(reinterpret_cast<const uint8_t*>(second.data()), second.size());
        if (third != first) {
            std::fprintf(stderr, "the third save differs from the first:\n%s\n---\n%s\n", first.c_str(),
                         third.c_str());
            std::abort();
        }
    } catch (const ProgramEnded&) {
    }
    return 0;
}
