#pragma once
// The symbol pictures the catalog rows point at.
#include "graphics/shape.h"

extern const ShapeBitmap wire_picture;
extern const ShapeBitmap xtal_picture;
extern const ShapeBitmap resistor_picture;
extern const ShapeBitmap resistor_filled_picture;
extern const ShapeBitmap capacitor_picture;
extern const ShapeBitmap capacitor_polar_picture;
extern const ShapeBitmap inductor_picture;
extern const ShapeBitmap diode_picture;
extern const ShapeBitmap diode_circled_picture;
extern const ShapeBitmap diode_bent_bar_picture;
extern const ShapeBitmap diode_hooked_bar_picture;

// Transistors: only variants 0, 4, 8 and 12 have a picture of their own.
extern const ShapeBitmap npn_picture_0;
extern const ShapeBitmap npn_picture_4;
extern const ShapeBitmap npn_picture_8;
extern const ShapeBitmap npn_picture_12;
extern const ShapeBitmap pnp_picture_0;
extern const ShapeBitmap pnp_picture_4;
extern const ShapeBitmap pnp_picture_8;
extern const ShapeBitmap pnp_picture_12;
