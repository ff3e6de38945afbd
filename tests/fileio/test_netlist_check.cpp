// Every kind of difference between a board and a schematic's netlist.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "board/grid.h"
#include "board/net_list.h"
#include "board/objects.h"
#include "fileio/kicad_netlist.h"
#include "fileio/netlist_check.h"
#include "support/board_builders.h"

namespace {

// Row 100: R1.1 D1.2 C1.1 | cut | Q1.2 (base) | cut | Q1.3 (collector), J1.1
// Row 110: Q1.1 (emitter), J1.2.   Row 150: R1.2 D1.1 C1.2, and J1.3 through a plain wire.
const char* const AGREEING = "A: R1.1 D1.2 C1.1; B: R1.2 D1.1 C1.2 J1.3; C: Q1.3 J1.1; E: Q1.1 J1.2";

class NetlistCheckTest : public ::testing::Test {
protected:
    WireRecord* link = nullptr;

    void SetUp() override {
        reset_everything();
        board.plain_wire_type = lookup_plain_wire_type();
        describe_wire(add_wire("RES", 0, 100, 100, 100, 150), "R1 10k");
        describe_wire(add_wire("DIODE", 0, 200, 100, 200, 150), "D1");
        describe_wire(add_wire("CAP", 1, 300, 100, 300, 150), "C1 10u");
        describe_component(add_component("NPN", 0, 400, 100), "Q1 BC547");
        describe_component(add_component("SIL3", 0, 500, 100), "J1");
        link = add_wire("WIRE", 0, 500, 120, 500, 150);
        add_cut(355, 100);
        add_cut(405, 100);
    }
    void TearDown() override { board_reset(); }

    // "NAME: REF.PIN REF.PIN/FUNCTION ...; NAME: ..." as a KiCad netlist,
    // with every ref listed as a component, plus `extra` components.
    static std::string netlist_text(const std::string& nets, const std::vector<std::string>& extra = {}) {
        std::string components, body;
        std::vector<std::string> refs = extra;
        std::stringstream all(nets);
        std::string net;
        while (std::getline(all, net, ';')) {
            std::stringstream words(net);
            std::string name, member;
            words >> name;
            name.pop_back();  // the colon
            body += "\n  (net (name \"" + name + "\")";
            while (words >> member) {
                const size_t dot = member.find('.'), slash = member.find('/');
                const std::string ref = member.substr(0, dot);
                const std::string pin = member.substr(dot + 1, slash == std::string::npos ? slash : slash - dot - 1);
                body += " (node (ref \"" + ref + "\") (pin \"" + pin + "\")";
                if (slash != std::string::npos) body += " (pinfunction \"" + member.substr(slash + 1) + "\")";
                body += ")";
                if (std::find(refs.begin(), refs.end(), ref) == refs.end()) refs.push_back(ref);
            }
            body += ")";
        }
        for (const std::string& ref : refs) components += "\n  (comp (ref \"" + ref + "\"))";
        return "(export (version \"E\")\n (components" + components + ")\n (nets" + body + "))\n";
    }

    static NetlistCheck check(const std::string& nets, const std::vector<std::string>& extra = {}) {
        const std::string text = netlist_text(nets, extra);
        Netlist netlist;
        NetlistError error;
        EXPECT_TRUE(read_kicad_netlist(text.data(), text.size(), netlist, error)) << error.message << "\n" << text;
        return check_against_netlist(collect_board_nets(), netlist);
    }

    static std::string joined(const NetlistCheck& c) {
        std::string out;
        for (const std::string& line : c.errors) out += "error: " + line + "\n";
        for (const std::string& line : c.differences) out += line + "\n";
        return out;
    }
};

TEST_F(NetlistCheckTest, AgreeingNetlistsAndInterchangeablePins) {
    EXPECT_EQ(joined(check(AGREEING)), "");
    // A resistor turned round is no difference; nor are pins the netlist
    // leaves out while the board leaves them unconnected (Q1.2).
    EXPECT_EQ(joined(check("A: R1.2 D1.2 C1.1; B: R1.1 D1.1 C1.2 J1.3; C: Q1.3 J1.1; E: Q1.1 J1.2")), "");
    // Transistor pins are matched by their function where the netlist names it.
    EXPECT_EQ(joined(check("A: R1.1 D1.2 C1.1; B: R1.2 D1.1 C1.2 J1.3; C: Q1.1/C J1.1; E: Q1.3/E J1.2; X: Q1.2/B")),
              "");
}

TEST_F(NetlistCheckTest, PolarisedPartsTurnedRoundDiffer) {
    for (const char* nets : {"A: R1.1 D1.1 C1.1; B: R1.2 D1.2 C1.2 J1.3; C: Q1.3 J1.1; E: Q1.1 J1.2",
                             "A: R1.1 D1.2 C1.2; B: R1.2 D1.1 C1.1 J1.3; C: Q1.3 J1.1; E: Q1.1 J1.2"}) {
        const NetlistCheck c = check(nets);
        EXPECT_TRUE(c.errors.empty());
        ASSERT_EQ(c.differences.size(), 4u) << joined(c);
        int shorts = 0, opens = 0;
        for (const std::string& line : c.differences) {
            if (line.rfind("short: the board joins net \"", 0) == 0) {
                ++shorts;
                EXPECT_TRUE(line.find("\"A\"") != std::string::npos && line.find("\"B\"") != std::string::npos) << line;
            }
            opens += line.rfind("open: net \"", 0) == 0 && line.find("split on the board into 2 pieces") != std::string::npos;
        }
        EXPECT_EQ(shorts, 2) << joined(c);
        EXPECT_EQ(opens, 2) << joined(c);
    }
}

TEST_F(NetlistCheckTest, ShortsNameTheNetsAndWhereTheyMeet) {
    add_bridge(450, 105);  // row 100 to row 110
    EXPECT_EQ(joined(check(AGREEING)),
              "short: the board joins net \"C\" at J1.1 (100,20) and net \"E\" at J1.2 (100,22); the first two meet "
              "through strip (82,20)-(90,20), bridge (90,21), strip (90,22)-(82,22)\n");
    cell_set(21, 90, 0);
    cell_set(20, 81, 0);  // the cut right of the base
    EXPECT_EQ(joined(check(AGREEING + std::string("; X: Q1.2"))),
              "short: the board joins net \"C\" at J1.1 (100,20) and net \"X\" at Q1.2 (80,20); the first two meet "
              "through strip (82,20)-(80,20)\n");
    // A pin the netlist leaves out but the board connects.
    EXPECT_EQ(joined(check("A: R1.1 D1.2 C1.1; B: R1.2 D1.1 C1.2 J1.3; C: Q1.3 J1.1; E: Q1.1 J1.2")),
              "short: the board joins net \"C\" at J1.1 (100,20) and pin Q1.2 (unconnected in the netlist) at "
              "Q1.2 (80,20); the first two meet through strip (82,20)-(80,20)\n");
}

TEST_F(NetlistCheckTest, OpensListThePieces) {
    board.wire_list = link->next;  // take the plain wire away
    link->next = nullptr;
    delete_wire(link);
    EXPECT_EQ(joined(check(AGREEING)),
              "open: net \"B\" is split on the board into 2 pieces: R1.2 (20,30), D1.1 (40,30), C1.2 (60,30) | "
              "J1.3 (100,24)\n");
}

TEST_F(NetlistCheckTest, PartsAndPinsOnOneSideOnly) {
    describe_wire(add_wire("RES", 0, 600, 200, 600, 250), "R9");
    add_component("DIL8", 0, 100, 300);  // unnamed: called DIL8@20,60
    describe_wire(add_wire("CAP", 0, 620, 200, 620, 250), "R9 again");
    const NetlistCheck c = check(AGREEING, {"C5"});
    EXPECT_TRUE(c.errors.empty());
    EXPECT_EQ(joined(c),
              "part DIL8@20,60 (the DIL8 at (20,60)) is on the board but not in the netlist\n"
              "part R9 (the RES at (120,40)-(120,50)) is on the board but not in the netlist\n"
              "two parts on the board are called R9: the RES at (120,40)-(120,50) and the CAP at (124,40)-(124,50)\n"
              "part C5 (netlist line 3) is in the netlist but not on the board\n");
    // Pins the board's part cannot have are reported as errors; the rest is still compared.
    const NetlistCheck bad = check(AGREEING + std::string("; F: R1.3 Q1.4 J1.x"));
    ASSERT_EQ(bad.errors.size(), 3u) << joined(bad);
    EXPECT_EQ(bad.errors[0], "netlist line 13, column 19: R1 has no pin 3 on the board (the RES at (20,20)-(20,30))");
    EXPECT_NE(bad.errors[2].find("J1 has no pin x on the board (the SIL3 at (100,20))"), std::string::npos);
}

}  // namespace
