#!/usr/bin/env python3
"""The menu of the Windows resources equals the portable menu table: the
same popups, items (texts with their & marks and key hints, ids) and
separators in the same order.
Usage: menu_matches.py cuprolay.rc menu_table.cpp codes.h"""
import re
import sys


def rc_menu(text):
    body = text[text.index("mainmenu MENU"):]
    tokens, depth = [], 0
    for line in body.splitlines()[1:]:
        line = line.strip()
        if line == "BEGIN":
            depth += 1
        elif line == "END":
            depth -= 1
            tokens.append(("end",))
            if depth == 0:
                return tokens[:-1]  # the menu's own end
        elif line == "MENUITEM SEPARATOR":
            tokens.append(("separator",))
        elif m := re.match(r'POPUP "(.*)"$', line):
            tokens.append(("popup", m.group(1)))
        elif m := re.match(r'MENUITEM "(.*)", (\d+)$', line):
            tokens.append(("item", m.group(1), int(m.group(2))))
    raise SystemExit("the menu resource does not end")


def code_values(text):
    return {name: int(value) for name, value in re.findall(r"\b([A-Z_]+) = (\d+)", text)}


def code_of(word, codes):
    if m := re.fullmatch(r"'(.)'", word):
        return ord(m.group(1))
    return int(word) if word.isdigit() else codes[word]


def table_menu(text, codes):
    body = text[text.index("menu_table[] = {"):]
    tokens = []
    for line in body.splitlines()[1:]:
        line = line.strip()
        if m := re.match(r'item\("(.*)", (.+)\),$', line):
            tokens.append(("item", m.group(1), code_of(m.group(2), codes)))
        elif m := re.match(r'popup\("(.*)"\),$', line):
            tokens.append(("popup", m.group(1)))
        elif line == "separator(),":
            tokens.append(("separator",))
        elif line == "end(),":
            tokens.append(("end",))
        elif line == "};":
            return tokens[:-1]  # the table's own end
    raise SystemExit("the menu table does not end")


rc = rc_menu(open(sys.argv[1]).read())
fltk = table_menu(open(sys.argv[2]).read(), code_values(open(sys.argv[3]).read()))
if len(rc) < 60:
    raise SystemExit(f"FAIL: only {len(rc)} menu entries read from the resource")
if rc != fltk:
    for i, (a, b) in enumerate(zip(rc, fltk)):
        if a != b:
            raise SystemExit(f"FAIL: entry {i}: resource {a} but menu table {b}")
    raise SystemExit(f"FAIL: {len(rc)} resource entries, {len(fltk)} in the menu table")
print(f"{len(rc)} menu entries agree")
