// The board file writer: the version line, every component and text,
// every wire, the marked cut and bridge cells and the derived strips.
#include <algorithm>
#include <cstdio>
#include <string>

#include "board/grid.h"
#include "board/objects.h"
#include "core/format.h"
#include "fileio/board_file.h"
#include "shell/safe_file.h"

namespace {

// Collects the file's lines in memory, so that the file is opened only
// once the whole content is known. Each line is formatted straight into
// the text, which keeps room for one more line of the longest length at
// its end; finish cuts that room off.
class BlockWriter {
public:
    BlockWriter(std::string& out, size_t expected_size) : out_(out) {
        out_.clear();
        out_.resize(expected_size + BOARD_LINE_SIZE + 1);
    }

    // Formats one line with format(buffer, capacity), which returns the
    // length or a negative number when it did not fit.
    template <typename Format>
    bool format_line(Format format) {
        make_room(BOARD_LINE_SIZE + 1);
        const int length = format(out_.data() + used_, BOARD_LINE_SIZE);
        if (length < 0) return false;
        out_[used_ + static_cast<size_t>(length)] = '\n';
        used_ += static_cast<size_t>(length) + 1;
        return true;
    }

    void line(const std::string& text) {
        make_room(text.size() + 1);
        text.copy(out_.data() + used_, text.size());
        out_[used_ + text.size()] = '\n';
        used_ += text.size() + 1;
    }

    void finish() { out_.resize(used_); }

private:
    void make_room(size_t n) {
        if (out_.size() - used_ < n) out_.resize(std::max(2 * out_.size(), used_ + n));
    }

    std::string& out_;
    size_t used_ = 0;
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

void board_file_text(std::string* text) {
    text->clear();
    // Selected objects sit outside their lists; put them back so they are written.
    deselect_all();
    // Room for typical lines up front: grown by doubling, the text of a
    // large board is copied a dozen times over and its pages are faulted
    // in anew each save.
    size_t lines = 1;
    for (int row = 0; row < GRID_ROWS; ++row)
        for (int column = row % 2 == 0 ? 1 : 0; column < GRID_COLUMNS; column += row % 2 == 0 ? 2 : 1)
            lines += board_grid.cells[row][column] != 0;
    for (const ComponentRecord* c = board.component_list; c != nullptr; c = c->next) ++lines;
    for (const WireRecord* w = board.wire_list; w != nullptr; w = w->next) ++lines;
    BlockWriter out(*text, lines * 32);
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
    out.finish();
}

bool write_board_file(FILE* stream) {
    if (stream == nullptr) return false;
    std::string text;
    board_file_text(&text);
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stream) != text.size()) return false;
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

bool save_board_to_path(const char* path) {
    if (path == nullptr || path[0] == '\0') return false;
    std::string text;
    board_file_text(&text);
    return write_file_whole(path, text.data(), text.size());
}
