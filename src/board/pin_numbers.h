#pragma once
// Pin numbers of board parts, as schematic symbols and footprints number
// them, and which parts' pins may be swapped without changing the circuit.
#include <string>

enum PartClass {
    PART_NONE,  // a text or a plain wire: not a part
    PART_DIL,
    PART_SIL,
    PART_TRANSISTOR,
    PART_RESISTOR,
    PART_CAPACITOR,
    PART_ELECTROLYTIC,
    PART_INDUCTOR,
    PART_DIODE,
    PART_CRYSTAL,
};

// Transistor pins are numbered by function.
enum TransistorPin { PIN_EMITTER = 1, PIN_BASE = 2, PIN_COLLECTOR = 3 };

PartClass component_part_class(int entry);
// PART_NONE for the plain wire type, which conducts rather than being a part.
PartClass wire_part_class(int entry, int plain_wire_type);

// The number of the pin that component_pins yields at `index` (from 0);
// 0 when the entry has no such pin.
int component_pin_number(int entry, int index);
// The number of a wire part's end (1 or 2).
int wire_end_pin_number(int entry, int end);

// Resistors, plain capacitors, inductors and crystals work either way round.
bool pins_interchangeable(PartClass part);

// The pin of that function on a transistor, from a schematic's pin name
// ("E", "B", "C", any case); 0 for any other name.
int transistor_pin_for_function(const std::string& function);
