#pragma once
// Showing the net connected to a hole, by inverted outlines.

struct NetExposureState {
    bool any_wire_mode = false;  // every wire conducts (ctrl-E), not just blank wires
};

extern NetExposureState net_state;

// Frames, by inversion, every hole conducting to the hole at (column, row)
// of the grid: along the strip up to a cut, across bridges, and through
// plain wires (every wire with any_wire). Exposing the same hole again
// takes the frames away. Uses the scratch grid; the board is unchanged.
void expose_net(int column, int row, bool any_wire);
// The walk alone, in the current pen mode, skipping holes the scratch grid
// marks and marking the ones it frames.
void flood_net(int column, int row);
