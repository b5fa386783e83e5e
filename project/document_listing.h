#pragma once
// The listing of every open document (command 1130): name, modified mark, lines, bytes.
#include <string>
#include <vector>

struct ListedDocument {
    std::string name;
    bool modified = false;
    int lines = 0;
    long bytes = 0;
};

// A header, one lower-cased line per document with its name in the width of the longest,
// and a line of totals.
std::vector<std::string> DocumentListing(const std::vector<ListedDocument>& documents);
