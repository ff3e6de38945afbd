// manual_convert SOURCE.md OUT.cpp: formats the user manual and writes it
// as a C++ source that the shell compiles in (see shell/manual.h).
// manual_convert --rtf SOURCE.md OUT.rtf: the same manual as rich text,
// ending in a NUL byte, for the Windows resource (which is not terminated).
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include "shell/manual.h"

namespace {

// A string literal broken after each line feed, so the generated source
// reads like the manual; everything outside printable ASCII as octal.
void write_literal(std::ostream& out, const std::string& text, size_t break_every) {
    out << "\"";
    size_t column = 0;
    for (unsigned char c : text) {
        if (c == '\\' || c == '"') {
            out << '\\' << c;
        } else if (c == '\n') {
            out << "\\n";
        } else if (c >= 32 && c < 127) {
            out << c;
        } else {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            out << octal;
        }
        ++column;
        if (c == '\n' || (break_every > 0 && column >= break_every)) {
            out << "\"\n    \"";
            column = 0;
        }
    }
    out << "\"";
}

}  // namespace

int main(int argc, char** argv) {
    const bool rtf = argc == 4 && std::string(argv[1]) == "--rtf";
    if (rtf) {
        --argc;
        ++argv;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: manual_convert [--rtf] SOURCE.md OUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "manual_convert: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream source;
    source << in.rdbuf();
    FormattedManual manual = format_manual(source.str());

    std::ostringstream out;
    if (rtf) {
        out << manual_rtf(manual) << '\0';
    } else {
        out << "// Generated from docs/manual.md by tools/manual/manual_convert; edit the manual instead.\n"
            << "#include \"shell/manual.h\"\n\n"
            << "const char manual_text[] =\n    ";
        write_literal(out, manual.text, 0);
        out << ";\n\nconst char manual_styles[] =\n    ";
        write_literal(out, manual.styles, 100);
        out << ";\n\nconst size_t manual_length = " << manual.text.size() << ";\n";
    }

    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    file.close();
    if (!file) {
        std::fprintf(stderr, "manual_convert: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
