// The run-length encoder of printed image data.
#include "export/rle_run.h"
#include "export/writers.h"

// The RunLengthDecode form: 0..127 precede that many plus one literal
// bytes, 129..255 precede one byte repeated 257 - n times, 128 ends.
static constexpr int RLE_END_OF_DATA = 128;

int rle_put(int byte, PrintFile* out) {
    RleState& rle = export_state.rle;
    int produced = 0;
    switch (rle.state) {
    case 0:
        if (byte == RLE_END) return rle_emit(out, RLE_END_OF_DATA);
        rle.value = byte;
        rle.count = 1;
        rle.state = 1;
        return 0;
    case 1:
        if (byte == RLE_END) {
            produced += rle_emit(out, 0);
            produced += rle_emit(out, rle.value);
            produced += rle_emit(out, RLE_END_OF_DATA);
            rle.state = 0;
        } else if (byte == rle.value) {
            rle.count = 2;
            rle.state = 2;
        } else {
            produced += rle_emit(out, 1);
            produced += rle_emit(out, rle.value);
            produced += rle_emit(out, byte);
            rle.state = 0;
        }
        return produced;
    default:
        if (byte == rle.value) {
            if (rle.count < 127) {
                ++rle.count;
            } else {
                produced += rle_emit(out, 129);
                produced += rle_emit(out, rle.value);
                rle.state = 0;
            }
            return produced;
        }
        produced += rle_emit(out, 257 - rle.count);
        produced += rle_emit(out, rle.value);
        if (byte == RLE_END) {
            produced += rle_emit(out, RLE_END_OF_DATA);
            rle.state = 0;
        } else {
            rle.value = byte;
            rle.count = 1;
            rle.state = 1;
        }
        return produced;
    }
}

int rle_put_run(int byte, long count, PrintFile* out) {
    return rle_feed_run(export_state.rle, byte, count, out);
}
