#pragma once
// The line differencer: a shortest (for very different inputs a near-shortest) set of
// lines to delete from the first text and insert from the second.
#include <string>
#include <vector>

#include "cms/text_file.h"

struct DiffOptions {
    bool ignore_white_space = false;  // runs of blanks and tabs are one blank, trailing ones none
    bool ignore_case = false;
    bool minimal = false;  // no early cut-off: always a shortest result
};

// One group of adjacent changes. Line numbers count from 1; first1 is 0 when nothing is
// deleted and first2 is 0 when nothing is inserted. before1 is the number of lines of the
// first text in front of the hunk, before2 the same in the second.
struct Hunk {
    int first1 = 0, deleted = 0;
    int first2 = 0, inserted = 0;
    int before1 = 0, before2 = 0;
};

std::vector<Hunk> DiffLines(const LineList& a, const LineList& b, const DiffOptions& options = {});

// The EditScript that turns a into b: "d%d %d\n" and "a%d %d\n" followed by the added lines.
std::string FormatEditScript(const std::vector<Hunk>& hunks, const LineList& b);

// Command texts of one hunk as in a script (empty when the hunk has no such command).
std::string DeleteCommand(const Hunk& h);
std::string AddCommand(const Hunk& h);

int CountChangedLines(const std::vector<Hunk>& hunks);  // deleted plus inserted

// Comparison of two files on disk.
struct DiffRequest {
    std::string file1, file2;
    std::string script_file;  // script mode: where the EditScript goes (may be empty)
    DiffOptions options;
    bool memory = false;  // keep the hunk list instead of writing a script
    std::vector<Hunk> hunks;
};

// 0 identical, 1 different, 2 a file cannot be read or the script cannot be written.
int CompareFiles(DiffRequest& request);
