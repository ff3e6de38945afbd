#pragma once
// The line parser's form for many lines at once (the file reader): the
// catalog answers for the words seen so far are kept for the whole read,
// since the catalog is searched row by row and a file repeats few words.
#include <string>
#include <unordered_map>

#include "board/catalog.h"

class CatalogAnswers {
public:
    CatalogMatch lookup(const std::string& word, int variant);

private:
    std::unordered_map<std::string, CatalogMatch> answers_;
    std::string key_;
};

// As parse_board_line; answers may be null (then the catalog is asked each time).
int parse_board_line_with(const char* line, float* file_version, CatalogAnswers* answers);
