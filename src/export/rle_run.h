#pragma once
// The encoder's transitions for a whole run of one byte at a time, inline
// because the image loop feeds every run of every line through it.
#include "export/writers.h"

inline int rle_emit(PrintFile* out, int byte) {
    if (out) print_byte(*out, byte);
    return 1;
}

// The same as count calls of rle_put with byte on that state.
inline int rle_feed_run(RleState& rle, int byte, long count, PrintFile* out) {
    int produced = 0;
    while (count > 0) {
        if (rle.state == 0) {
            rle.value = byte;
            rle.count = 1;
            rle.state = 1;
            --count;
        } else if (rle.state == 1) {
            if (rle.value == byte) {
                rle.count = 2;
                rle.state = 2;
            } else {
                produced += rle_emit(out, 1);
                produced += rle_emit(out, rle.value);
                produced += rle_emit(out, byte);
                rle.state = 0;
            }
            --count;
        } else if (rle.value != byte) {
            produced += rle_emit(out, 257 - rle.count);
            produced += rle_emit(out, rle.value);
            rle.value = byte;
            rle.count = 1;
            rle.state = 1;
            --count;
        } else {
            // Inside a run of this byte: bytes only raise the count up to
            // 127, and the next one closes a repeat of 128.
            long room = 127 - rle.count;
            if (count <= room) {
                rle.count += static_cast<int>(count);
                return produced;
            }
            count -= room + 1;
            produced += rle_emit(out, 129);
            produced += rle_emit(out, byte);
            rle.state = 0;
            // From nothing held, every 128 equal bytes make one more repeat.
            for (; count >= 128; count -= 128) {
                produced += rle_emit(out, 129);
                produced += rle_emit(out, byte);
            }
        }
    }
    return produced;
}
