// The netlist reader: both atom styles, every refusal with its place, and
// garbage that must never crash it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "fileio/kicad_netlist.h"

namespace {

const char* const KICAD6 = R"NET((export (version "E")
  (design (source "x.kicad_sch") (tool "Eeschema 7.0"))
  (components
    (comp (ref "R1") (value "10k") (footprint "R_Axial") (fields (field (name "Footprint") "R_Axial")))
    (comp (ref "Q1") (value "BC547")))
  (libparts (libpart (lib "Device") (part "R")))
  (libraries)
  (nets
    (net (code "1") (name "GND") (node (ref "R1") (pin "1") (pintype "passive")))
    (net (code "2") (name "Net-(Q1-B)") (node (ref "R1") (pin "2")) (node (ref "Q1") (pin "2") (pinfunction "B")))))
)NET";

const char* const KICAD5 = R"NET((export (version D)
  (components
    (comp (ref R1) (value 10k))
    (comp (ref Q1) (value BC547)))
  (nets
    (net (code 1) (name GND) (node (ref R1) (pin 1)))
    (net (code 2) (name "Net-(Q1-B)") (node (ref R1) (pin 2)) (node (ref Q1) (pin 2) (pinfunction B)))))
)NET";

Netlist read_text(const std::string& text, NetlistError* error_out = nullptr) {
    Netlist netlist;
    NetlistError error;
    const bool ok = read_kicad_netlist(text.data(), text.size(), netlist, error);
    if (error_out != nullptr) *error_out = error;
    EXPECT_TRUE(ok || error_out != nullptr) << error.line << ":" << error.column << " " << error.message;
    return netlist;
}

TEST(KicadNetlist, QuotedAndBareAtomsReadAlike) {
    for (const char* text : {KICAD6, KICAD5}) {
        const Netlist n = read_text(text);
        const bool six = text == KICAD6;
        ASSERT_EQ(n.components.size(), 2u);
        EXPECT_EQ(n.components[0].ref, "R1");
        EXPECT_EQ(n.components[0].value, "10k");
        EXPECT_EQ(n.components[1].line, six ? 5 : 4);
        ASSERT_EQ(n.nets.size(), 2u);
        EXPECT_EQ(n.nets[0].name, "GND");
        EXPECT_EQ(n.nets[1].name, "Net-(Q1-B)");
        EXPECT_EQ(n.nets[1].code, "2");
        ASSERT_EQ(n.nets[1].nodes.size(), 2u);
        EXPECT_EQ(n.nets[1].nodes[1].ref, "Q1");
        EXPECT_EQ(n.nets[1].nodes[1].pin, "2");
        EXPECT_EQ(n.nets[1].nodes[1].function, "B");
        EXPECT_EQ(n.nets[1].nodes[1].line, six ? 10 : 7);
    }
    // Escapes inside strings, carriage returns and form feeds between atoms.
    const Netlist n = read_text("(export\r\n (nets (net (name \"a \\\"b\\\\\") (node (ref \"U 1\") (pin 3)))))\f");
    ASSERT_EQ(n.nets.size(), 1u);
    EXPECT_EQ(n.nets[0].name, "a \"b\\");
    EXPECT_EQ(n.nets[0].nodes[0].ref, "U 1");
}

TEST(KicadNetlist, RefusalsSayWhatAndWhere) {
    struct Case {
        std::string text;
        int line, column;
        const char* message;
    } cases[] = {
        {"", 1, 1, "the file holds no (export ...) list"},
        {"  \n", 2, 1, "the file holds no (export ...) list"},
        {"(export (nets)", 1, 1, "this ( is never closed"},
        {"(export\n  (nets (net (name x)\n", 2, 9, "this ( is never closed"},
        {"(export))", 1, 9, "unexpected ): no list is open here"},
        {"(export) (export)", 1, 10, "text after the end of the (export ...) list"},
        {"(export) x", 1, 10, "text after the end of the (export ...) list"},
        {"export", 1, 1, "expected ( at the start of the netlist"},
        {"(kicad_pcb (version 1))", 1, 2, "this is not a netlist: it begins with (kicad_pcb instead of (export"},
        {"(export (version E)\n (wiring (a b)))", 2, 3, "unknown section (wiring ...)"},
        {"(export ((nets)))", 1, 10, "expected a name after ("},
        {"(export ())", 1, 9, "empty list ()"},
        {"(export (nets (net (name (x)))))", 1, 26, "expected a value in (name ...), not a list"},
        {"(export (nets (net (name a b))))", 1, 28, "(name ...) holds more than one value"},
        {"(export (nets (net (name))))", 1, 20, "(name) has no value"},
        {"(export (components (comp (value 1))))", 1, 21, "(comp ...) without (ref ...)"},
        {"(export (nets (net (node (ref R1)))))", 1, 20, "(node ...) needs both (ref ...) and (pin ...)"},
        {"(export (nets (net (name \"open", 1, 26, "this string is never closed"},
        {std::string("(export (version \"E\x01\"))"), 1, 20, "a control byte 0x01 inside a string: this looks like a binary file"},
        {std::string("(export\0)", 9), 1, 8, "unexpected byte 0x00: this looks like a binary file"},
        {std::string("(export (design \"a\0b\"))", 23), 1, 19, "a control byte 0x00 inside a string: this looks like a binary file"},
        {"(export (components (comp (ref R1)) (comp (ref R2))\n (comp (ref R1))))", 2, 2,
         "the reference R1 is used twice (also at line 1)"},
        {"(export (nets (net (name A) (node (ref R1) (pin 1)))\n (net (name B) (node (ref R1) (pin 1)))))", 2, 16,
         "pin R1.1 is in two nets, \"A\" (line 1) and \"B\""},
        {"(export (nets (net (name A) (node (ref R1) (pin 1)) (node (ref R1) (pin 1)))))", 1, 53,
         "pin R1.1 is listed twice in net \"A\""},
        {"(export (design " + std::string(5000, 'x') + "))", 1, 17, "a word longer than 4096 bytes"},
        {"(export (design " + [] { std::string t; for (int i = 0; i < 100; ++i) t += "(a "; return t; }(), 1, 17 + 62 * 3,
         "lists are nested deeper than 64"},
    };
    for (const Case& c : cases) {
        NetlistError error;
        read_text(c.text, &error);
        SCOPED_TRACE(c.text.substr(0, 80));
        EXPECT_EQ(error.message, c.message);
        EXPECT_EQ(error.line, c.line);
        EXPECT_EQ(error.column, c.column);
    }
}

TEST(KicadNetlist, HugeAndMissingFiles) {
    std::string huge(NETLIST_MAX_BYTES + 1, ' ');
    NetlistError error;
    read_text(huge, &error);
    EXPECT_EQ(error.message, "the netlist is larger than 16 MiB");
    EXPECT_EQ(error.line, 0);
    Netlist netlist;
    EXPECT_FALSE(read_kicad_netlist_file("/nonexistent/board.net", netlist, error));
    EXPECT_EQ(error.message.rfind("cannot open the netlist: ", 0), 0u) << error.message;
    EXPECT_FALSE(read_kicad_netlist_file("/", netlist, error));  // a directory cannot be read
}

// Cut, spliced and corrupted netlists are refused with a place inside the
// text, or read; never anything else.
TEST(KicadNetlist, GarbageNeverCrashes) {
    std::mt19937 random(12);
    const std::string base = KICAD6;
    const char alphabet[] = "()\"\\ \nabR1#\x00\xff";
    for (int round = 0; round < 3000; ++round) {
        std::string text = base;
        const int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const size_t at = random() % text.size();
            switch (random() % 4) {
                case 0: text[at] = alphabet[random() % (sizeof alphabet - 1)]; break;
                case 1: text.erase(at, 1 + random() % 20); break;
                case 2: text.insert(at, text.substr(random() % text.size(), random() % 40)); break;
                default: text.resize(at); break;
            }
        }
        Netlist netlist;
        NetlistError error;
        if (read_kicad_netlist(text.data(), text.size(), netlist, error)) continue;
        EXPECT_FALSE(error.message.empty());
        EXPECT_GE(error.line, 1);
        EXPECT_LE(error.line, 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n')));
        EXPECT_GE(error.column, 1);
    }
}

}  // namespace
