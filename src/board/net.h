#pragma once
// Showing the net connected to a hole, by inverted outlines.

struct NetExposureState {
    bool any_wire_mode = false;  // every wire conducts (ctrl-E), not just blank wires
};

extern NetExposureState net_state;

void expose_net(int column, int row, bool any_wire);
void flood_net(int column, int row);
