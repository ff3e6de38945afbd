// The board file writer: the version line, every component and text,
// every wire, the marked cut and bridge cells and the derived strips.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "board/grid.h"
#include "board/objects.h"
#include "core/format.h"
#include "fileio/board_file.h"

namespace {

// Collects lines in a block and hands it to the stream when full,
// remembering whether any write fell short. Lines are formatted straight
// into the block's free end.
class BlockWriter {
public:
    explicit BlockWriter(FILE* stream) : stream_(stream), block_(BLOCK_SIZE + BOARD_LINE_SIZE + 1) {}

    // Formats one line into the block with format(buffer, capacity), which
    // returns the length or a negative number when it did not fit.
    template <typename Format>
    bool format_line(Format format) {
        const int length = format(block_.data() + used_, BOARD_LINE_SIZE);
        if (length < 0) return false;
        used_ += static_cast<size_t>(length);
        block_[used_++] = '\n';
        if (used_ >= BLOCK_SIZE) flush_block();
        return true;
    }

    void line(const std::string& text) {
        flush_block();
        put(text.data(), text.size());
        put("\n", 1);
    }

    // True when every byte went out and the stream flushed cleanly.
    bool finish() {
        flush_block();
        if (std::fflush(stream_) != 0) ok_ = false;
        if (std::ferror(stream_)) ok_ = false;
        return ok_;
    }

private:
    static constexpr size_t BLOCK_SIZE = 64 * 1024;

    void put(const char* data, size_t size) {
        if (size > 0 && std::fwrite(data, 1, size, stream_) != size) ok_ = false;
    }

    void flush_block() {
        put(block_.data(), used_);
        used_ = 0;
    }

    FILE* stream_;
    std::vector<char> block_;
    size_t used_ = 0;
    bool ok_ = true;
};

template <typename Record>
void write_record(BlockWriter& out, int (*format)(char*, size_t, const Record*),
                  std::string (*whole)(const Record*), const Record* r) {
    if (!out.format_line([&](char* buffer, size_t capacity) { return format(buffer, capacity, r); }))
        out.line(whole(r));  // a description longer than any prompt gives
}

void write_cells(BlockWriter& out) {
    for (int row = 0; row < GRID_ROWS; ++row) {
        for (int column = 0; column < GRID_COLUMNS; ++column) {
            // Holes carry solder-point counts, which the objects restore.
            if (row % 2 == 0 && column % 2 == 0) continue;
            if (board_grid.cells[row][column] == 0) continue;
            out.format_line([&](char* buffer, size_t capacity) {
                return format_cell_line(buffer, capacity, row, column);
            });
        }
    }
}

// Strip lines join consecutive marked holes of a row up to the first cut.
void write_strips(BlockWriter& out) {
    for (int row = 0; row < GRID_ROWS; row += 2) {
        int column = 0;
        while (column <= GRID_COLUMNS - 1) {
            const int first = next_marked_hole(row, column);
            if (first < 0) break;
            int last = first;
            for (;;) {
                const int next = next_marked_cell(row, last + 1);
                if (next < 0 || next % 2 != 0) break;
                last = next;
            }
            if (last != first) {
                out.format_line([&](char* buffer, size_t capacity) {
                    return format_strip_line(buffer, capacity, row, first, last);
                });
            }
            column = last + 1;
        }
    }
}

}  // namespace

int next_marked_hole(int row, int column) {
    if (column < 0) return -1;
    if (column % 2 != 0) ++column;
    while (column < GRID_COLUMNS && cell_get(row, column) == 0) column += 2;
    return column < GRID_COLUMNS ? column : -1;
}

int next_marked_cell(int row, int column) {
    if (column < 0) return -1;
    while (column < GRID_COLUMNS && cell_get(row, column) == 0) ++column;
    return column < GRID_COLUMNS ? column : -1;
}

bool write_board_file(FILE* stream) {
    if (stream == nullptr) return false;
    // Selected objects sit outside their lists; put them back so they are written.
    deselect_all();

    BlockWriter out(stream);
    out.format_line([](char* buffer, size_t capacity) {
        return format_into(buffer, capacity, "VERSION %.3f Cuprolay generated data",
                           static_cast<double>(program_version));
    });
    for (const ComponentRecord* c = board.component_list; c != nullptr; c = c->next)
        write_record(out, format_component_line, component_line, c);
    for (const WireRecord* w = board.wire_list; w != nullptr; w = w->next)
        write_record(out, format_wire_line, wire_line, w);
    write_cells(out);
    write_strips(out);
    return out.finish();
}

bool save_board_to_path(const char* path) {
    if (path == nullptr || path[0] == '\0') return false;
    // Beside the target, so that the rename stays on one file system.
    const std::string temporary = std::string(path) + ".saving";
    FILE* stream = std::fopen(temporary.c_str(), "wb");
    if (stream == nullptr) return false;

    bool ok = write_board_file(stream);
    if (std::fclose(stream) != 0) ok = false;
    if (ok) {
        // std::filesystem::rename replaces an existing target on every platform.
        std::error_code error;
        std::filesystem::rename(temporary, path, error);
        if (!error) return true;
    }
    std::remove(temporary.c_str());
    return false;
}
