#pragma once
// The key and menu command table.

void dispatch_command(int code);
// The print command: the rectangle around every marked cell, exported.
void print_command();
