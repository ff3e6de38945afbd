#pragma once
// The batch command-line forms and their entry functions.
#include <cstdio>
// The command-line forms; each gets the whole command line (argv[1] is its
// option) and returns the process exit status.

// cuprolay --render BOARD OUT [--zoom 10|20]
int run_render_command(int argc, char** argv);
// cuprolay --export FORMAT BOARD OUT [--scale H V]
int run_export_command(int argc, char** argv);
// cuprolay --script SCRIPT [BOARD]
int run_script_command(int argc, char** argv);
// cuprolay --nets BOARD [--json]
int run_nets_command(int argc, char** argv);
// cuprolay --check BOARD NETLIST
int run_check_command(int argc, char** argv);
// cuprolay [BOARD] [-wine]: the editor window (argv[1], argv[2] are the words)
int run_desktop_command(int argc, char** argv);
// Binary standard streams (and on Windows the parent's console); first thing.
void prepare_standard_streams();
// Prints the usage text to the stream.
void print_usage(FILE* stream);
