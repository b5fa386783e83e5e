#include "project/document_listing.h"

#include <algorithm>

#include "project/project.h"
#include "shell/format_buffer.h"

std::vector<std::string> DocumentListing(const std::vector<ListedDocument>& documents) {
    int width = 4;  // "Name"
    for (const ListedDocument& d : documents) width = std::max(width, static_cast<int>(d.name.size()));
    std::vector<std::string> lines = {FormatText("%*s  %s %s", width, "Name", "Lines", "Size")};
    int total_lines = 0;
    long total_bytes = 0;
    for (const ListedDocument& d : documents) {
        lines.push_back(LowerText(FormatText("%-*s%c %5d %ld", width, d.name.c_str(), d.modified ? '*' : ' ', d.lines, d.bytes)));
        total_lines += d.lines;
        total_bytes += d.bytes;
    }
    lines.push_back(FormatText("%d files, %d lines, %ld bytes", static_cast<int>(documents.size()), total_lines, total_bytes));
    return lines;
}
