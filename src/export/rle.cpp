#include "export/writers.h"

// The RunLengthDecode form: 0..127 precede that many plus one literal
// bytes, 129..255 precede one byte repeated 257 - n times, 128 ends.
static constexpr int RLE_END_OF_DATA = 128;

static int emit(PrintFile* out, int a) {
    if (out) print_byte(*out, a);
    return 1;
}

int rle_put(int byte, PrintFile* out) {
    RleState& rle = export_state.rle;
    int produced = 0;
    switch (rle.state) {
    case 0:
        if (byte == RLE_END) return emit(out, RLE_END_OF_DATA);
        rle.value = byte;
        rle.count = 1;
        rle.state = 1;
        return 0;
    case 1:
        if (byte == RLE_END) {
            produced += emit(out, 0);
            produced += emit(out, rle.value);
            produced += emit(out, RLE_END_OF_DATA);
            rle.state = 0;
        } else if (byte == rle.value) {
            rle.count = 2;
            rle.state = 2;
        } else {
            produced += emit(out, 1);
            produced += emit(out, rle.value);
            produced += emit(out, byte);
            rle.state = 0;
        }
        return produced;
    default:
        if (byte == rle.value) {
            if (rle.count < 127) {
                ++rle.count;
            } else {
                produced += emit(out, 129);
                produced += emit(out, rle.value);
                rle.state = 0;
            }
            return produced;
        }
        produced += emit(out, 257 - rle.count);
        produced += emit(out, rle.value);
        if (byte == RLE_END) {
            produced += emit(out, RLE_END_OF_DATA);
            rle.state = 0;
        } else {
            rle.value = byte;
            rle.count = 1;
            rle.state = 1;
        }
        return produced;
    }
}
