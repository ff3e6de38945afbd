#!/usr/bin/env python3
"""The menu of the Windows resources equals the Linux window's menu table:
the same popups, items (texts with their & marks and key hints, ids) and
separators in the same order. Usage: menu_matches.py cuprolay.rc fltk_menu.cpp"""
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


def fltk_menu(text):
    body = text[text.index("main_menu[] = {"):]
    tokens = []
    for line in body.splitlines()[1:]:
        line = line.strip()
        if m := re.match(r'(ITEM|ITEM_THEN_SEPARATOR)\("(.*)", (\d+)\),$', line):
            tokens.append(("item", m.group(2), int(m.group(3))))
            if m.group(1) == "ITEM_THEN_SEPARATOR":
                tokens.append(("separator",))
        elif m := re.match(r'(POPUP|POPUP_THEN_SEPARATOR)\("(.*)"\),$', line):
            tokens.append(("popup", m.group(2)))
        elif line == "END,":
            tokens.append(("end",))
        elif line == "};":
            return tokens[:-1]  # the table's own end
    raise SystemExit("the menu table does not end")


rc = rc_menu(open(sys.argv[1]).read())
fltk = fltk_menu(open(sys.argv[2]).read())
if len(rc) < 60:
    raise SystemExit(f"FAIL: only {len(rc)} menu entries read from the resource")
if rc != fltk:
    for i, (a, b) in enumerate(zip(rc, fltk)):
        if a != b:
            raise SystemExit(f"FAIL: entry {i}: resource {a} but menu table {b}")
    raise SystemExit(f"FAIL: {len(rc)} resource entries, {len(fltk)} in the menu table")
print(f"{len(rc)} menu entries agree")
