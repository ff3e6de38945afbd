// The board file reader: splits the stream into lines, each read whole
// whatever its length, and hands them to the line parser.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "board/draw.h"
#include "board/grid.h"
#include "board/objects.h"
#include "fileio/board_file.h"
#include "shell/dialogs.h"
#include "shell/input.h"
#include "board/integrity.h"

namespace {

// Reads the stream in blocks and yields one terminated line at a time,
// without its line feed and a carriage return before it. A line that runs
// across blocks is gathered whole, so its rest is never taken for a new
// line. A NUL byte inside a line ends what the parser sees of it.
class LineReader {
public:
    explicit LineReader(FILE* stream) : stream_(stream) {}

    // The next line, or null at the end of the stream.
    const char* next() {
        for (;;) {
            if (start_ < filled_) {
                char* begin = block_ + start_;
                char* feed = static_cast<char*>(std::memchr(begin, '\n', filled_ - start_));
                if (feed != nullptr) {
                    start_ = static_cast<size_t>(feed - block_) + 1;
                    if (carried_.empty()) {
                        *feed = '\0';
                        return finish(begin, static_cast<size_t>(feed - begin));
                    }
                    carried_.append(begin, static_cast<size_t>(feed - begin));
                    return finish_carried();
                }
                carried_.append(begin, filled_ - start_);
                start_ = filled_;
            }
            if (at_end_) break;
            refill();
        }
        // The last line may lack its line feed.
        if (!carried_.empty()) return finish_carried();
        return nullptr;
    }

    bool failed() const { return failed_; }

private:
    static constexpr size_t BLOCK_SIZE = 64 * 1024;

    void refill() {
        start_ = 0;
        filled_ = std::fread(block_, 1, BLOCK_SIZE, stream_);
        if (filled_ < BLOCK_SIZE) {
            at_end_ = true;
            if (std::ferror(stream_)) failed_ = true;
        }
    }

    const char* finish(char* line, size_t length) {
        if (length > 0 && line[length - 1] == '\r') line[length - 1] = '\0';
        return line;
    }

    const char* finish_carried() {
        line_.swap(carried_);
        carried_.clear();
        if (!line_.empty() && line_.back() == '\r') line_.pop_back();
        return line_.c_str();
    }

    FILE* stream_;
    char block_[BLOCK_SIZE];
    size_t start_ = 0;
    size_t filled_ = 0;
    bool at_end_ = false;
    bool failed_ = false;
    std::string carried_;
    std::string line_;
};

}  // namespace

namespace {

int read_lines(LineReader& reader, float* file_version) {
    while (const char* line = reader.next()) {
        if (parse_board_line(line, file_version) != 0) return 1;
        pump_messages();
    }
    // A read error leaves the board short of what the file holds.
    return reader.failed() ? 1 : 0;
}

}  // namespace

int read_board_lines(FILE* stream, float* file_version) {
    if (stream == nullptr) return 1;
    // The block is large; keep it off the stack.
    auto reader = std::make_unique<LineReader>(stream);
    // Into an empty board whatever is read lands on blank board, and the
    // repaint at the end of the bulk change covers it all: the whole board
    // is marked once instead of every line's objects (an insert into a
    // board that holds something still marks each object).
    if (!redraw_state.redraw_deferred || !board_is_empty()) return read_lines(*reader, file_version);
    const Rect before = redraw_state.dirty;
    invalidate_rect({0, 0, BOARD_RIGHT, BOARD_BOTTOM});
    const int result = read_lines(*reader, file_version);
    if (board_is_empty()) redraw_state.dirty = before;  // nothing taken, nothing to repaint
    return result;
}

int load_board_file(FILE* stream) {
    float file_version = 0.94f;  // a file without a version line is that old
    int result = 0;
    {
        PointerHidden hidden;
        // What was read before a stop stays on the board, so it is shown too.
        DeferredRedraw bulk;
        result = read_board_lines(stream, &file_version);
    }
    integrity_assert("a load");
    if (result != 0) return 1;

    if (program_version - 0.005 > file_version)
        message_box("Warning", "File was written with an earlier version of Cuprolay", false);
    else if (file_version > program_version + 0.005)
        message_box("Warning", "File was written with a newer version of Cuprolay", false);
    return 0;
}
