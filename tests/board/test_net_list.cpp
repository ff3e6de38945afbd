// The board's nets as pin lists: agreement with net exposure, naming and order.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "board/grid.h"
#include "board/net.h"
#include "board/net_list.h"
#include "board/objects.h"
#include "support/board_builders.h"

namespace {

class NetListTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_everything();
        board.plain_wire_type = lookup_plain_wire_type();
    }
    void TearDown() override { board_reset(); }

    static std::vector<std::string> lines(const BoardNets& nets) {
        std::vector<std::string> out;
        for (size_t n = 0; n < nets.nets.size(); ++n) out.push_back(net_line(nets, static_cast<int>(n)));
        return out;
    }
};

// On random boards every pin's net holds exactly the pins on the holes that
// net exposure reaches from it: strips up to cuts, bridges, plain wires.
TEST_F(NetListTest, NetsAreWhatExposureReaches) {
    std::mt19937 random(14);
    const char* components[] = {"NPN", "PNP", "DIL8", "SIL3", "DIL14"};
    const char* wires[] = {"WIRE", "RES", "CAP", "DIODE", "XTAL", "IND"};
    for (int round = 0; round < 8; ++round) {
        reset_everything();
        board.plain_wire_type = lookup_plain_wire_type();
        auto hole = [&](int limit) { return static_cast<int>(random() % limit) * 10; };
        for (int i = 0; i < 12; ++i) {
            ComponentRecord* c = add_component(components[random() % 5], static_cast<int>(random() % 2), hole(58), hole(34));
            if (c != nullptr && i % 3 != 0) describe_component(c, ("U" + std::to_string(i)).c_str());
        }
        for (int i = 0; i < 40; ++i) {
            const int x = hole(60), y = hole(38), length = hole(5);
            WireRecord* w = i % 2 ? add_wire(wires[random() % 6], 0, x, y, x, y + length)
                                  : add_wire(wires[random() % 6], 0, x, y, x + length, y);
            if (w != nullptr) describe_wire(w, ("W" + std::to_string(i) + " 1k").c_str());
        }
        add_wire("WIRE", 0, 600, 390, 700, 390);  // one end off the board joins nothing
        for (int i = 0; i < 150; ++i) add_cut(hole(63) + 5, hole(41));
        for (int i = 0; i < 30; ++i) add_bridge(hole(64), hole(40) + 5);

        const BoardNets nets = collect_board_nets();
        ASSERT_FALSE(nets.pins.empty());
        size_t counted = 0;
        for (const auto& net : nets.nets) counted += net.size();
        EXPECT_EQ(counted, nets.pins.size());
        for (size_t p = 0; p < nets.pins.size(); p += 3) {
            const BoardPin& start = nets.pins[p];
            expose_net(start.x / 5, start.y / 5, false);
            std::set<int> reached, listed(nets.nets[start.net].begin(), nets.nets[start.net].end());
            for (size_t q = 0; q < nets.pins.size(); ++q)
                if (scratch_get(nets.pins[q].y / 5, nets.pins[q].x / 5)) reached.insert(static_cast<int>(q));
            ASSERT_EQ(reached, listed) << "round " << round << " pin " << pin_name(nets, static_cast<int>(p));
        }
    }
}

TEST_F(NetListTest, StripsCutsBridgesAndWires) {
    describe_wire(add_wire("RES", 0, 100, 100, 100, 150), "R1 10k");
    describe_wire(add_wire("DIODE", 0, 200, 100, 200, 200), "D1");  // cathode (pin 1) at (200, 200)
    add_cut(245, 150);                                                 // row 150 stops at x 240
    describe_component(add_component("SIL2", 0, 400, 140), "J1 power");
    add_wire("WIRE", 0, 400, 140, 400, 100);  // J1.1 up to row 100
    describe_wire(add_wire("CAP", 1, 500, 150, 500, 190), "C1 10u");
    add_bridge(500, 195);  // row 190 to row 200
    describe_wire(add_wire("RES", 0, 50, 150, 50, 250), "R2");
    add_text(40, 100, "T9 a note");  // texts are not parts
    const BoardNets nets = collect_board_nets();
    EXPECT_TRUE(nets.warnings.empty());
    EXPECT_EQ(lines(nets), (std::vector<std::string>{"C1.1 J1.2", "C1.2 D1.1", "D1.2 J1.1 R1.1", "R1.2 R2.1",
                                                     "R2.2"}));
    // Without the cut row 150 is one strip; a resistor never joins its ends.
    cell_set(30, 49, 0);
    EXPECT_EQ(lines(collect_board_nets()),
              (std::vector<std::string>{"C1.1 J1.2 R1.2 R2.1", "C1.2 D1.1", "D1.2 J1.1 R1.1", "R2.2"}));
}

TEST_F(NetListTest, NamesOrderAndWarnings) {
    describe_component(add_component("DIL8", 0, 100, 100), "IC10 NE555");
    describe_component(add_component("NPN", 0, 300, 300), "  Q2   BC547");
    add_component("NPN", 4, 400, 200);  // no description
    describe_wire(add_wire("RES", 0, 500, 10, 500, 30), "R2");
    describe_wire(add_wire("RES", 0, 520, 10, 520, 30), "R10");
    describe_wire(add_wire("CAP", 0, 540, 10, 540, 30), "R2 twice");
    const BoardNets nets = collect_board_nets();
    ASSERT_EQ(nets.warnings.size(), 2u);
    EXPECT_EQ(nets.warnings[0], "the NPN at (80,40) has no description; it is called NPN@80,40");
    EXPECT_EQ(nets.warnings[1],
              "two parts are called R2: the RES at (100,2)-(100,6) and the CAP at (108,2)-(108,6)");
    std::vector<std::string> names;
    for (const auto& net : nets.nets)
        for (int pin : net) names.push_back(pin_name(nets, pin));
    EXPECT_EQ(names.size(), 8u + 3 + 3 + 6);
    EXPECT_NE(std::find(names.begin(), names.end(), "Q2.1"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "NPN@80,40.3"), names.end());
    // Nets come sorted by their first pin, with numbers in names compared as numbers.
    for (size_t n = 1; n < nets.nets.size(); ++n)
        EXPECT_FALSE(natural_less(pin_name(nets, nets.nets[n][0]), pin_name(nets, nets.nets[n - 1][0])));
    EXPECT_TRUE(natural_less("R2", "R10"));
    EXPECT_TRUE(natural_less("IC1.2", "IC1.10"));
    EXPECT_TRUE(natural_less("C9", "R1"));
    EXPECT_FALSE(natural_less("R010", "R9"));
    EXPECT_TRUE(natural_less("R01", "R1"));  // equal numbers: the plain order decides
    EXPECT_FALSE(natural_less("R1", "R1"));
    EXPECT_TRUE(natural_less("R", "R1"));
}

}  // namespace
