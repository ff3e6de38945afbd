#pragma once
// The accented Latin-1 letters both fonts build from a base letter and a mark.
#include <cstdint>

namespace composed_letters {

enum Mark { GRAVE, ACUTE, CIRCUMFLEX, TILDE, DIAERESIS, RING, CEDILLA };

struct Letter {
    uint8_t code;
    char base;
    Mark mark;
};

inline constexpr Letter table[] = {
    {192, 'A', GRAVE}, {193, 'A', ACUTE}, {194, 'A', CIRCUMFLEX}, {195, 'A', TILDE},
    {196, 'A', DIAERESIS}, {197, 'A', RING}, {199, 'C', CEDILLA},
    {200, 'E', GRAVE}, {201, 'E', ACUTE}, {202, 'E', CIRCUMFLEX}, {203, 'E', DIAERESIS},
    {204, 'I', GRAVE}, {205, 'I', ACUTE}, {206, 'I', CIRCUMFLEX}, {207, 'I', DIAERESIS},
    {209, 'N', TILDE},
    {210, 'O', GRAVE}, {211, 'O', ACUTE}, {212, 'O', CIRCUMFLEX}, {213, 'O', TILDE},
    {214, 'O', DIAERESIS},
    {217, 'U', GRAVE}, {218, 'U', ACUTE}, {219, 'U', CIRCUMFLEX}, {220, 'U', DIAERESIS},
    {221, 'Y', ACUTE},
    {224, 'a', GRAVE}, {225, 'a', ACUTE}, {226, 'a', CIRCUMFLEX}, {227, 'a', TILDE},
    {228, 'a', DIAERESIS}, {229, 'a', RING}, {231, 'c', CEDILLA},
    {232, 'e', GRAVE}, {233, 'e', ACUTE}, {234, 'e', CIRCUMFLEX}, {235, 'e', DIAERESIS},
    {236, 'i', GRAVE}, {237, 'i', ACUTE}, {238, 'i', CIRCUMFLEX}, {239, 'i', DIAERESIS},
    {241, 'n', TILDE},
    {242, 'o', GRAVE}, {243, 'o', ACUTE}, {244, 'o', CIRCUMFLEX}, {245, 'o', TILDE},
    {246, 'o', DIAERESIS},
    {249, 'u', GRAVE}, {250, 'u', ACUTE}, {251, 'u', CIRCUMFLEX}, {252, 'u', DIAERESIS},
    {253, 'y', ACUTE}, {255, 'y', DIAERESIS},
};

}  // namespace composed_letters
