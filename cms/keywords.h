#pragma once
// Keyword values in a working file: "$" name ":" value "$", as "$Revision: 1.4 $".
#include <string>
#include <string_view>

struct KeywordValues {
    std::string author, date, revision, state, locker, file_name, path;
};

// Scans text from its start until author, revision, state, date and a file name or path
// are known. False with the message on a malformed keyword.
bool ScanKeywordValues(std::string_view text, KeywordValues& values, std::string& message);

// The identification line an editor command inserts into a C source: "static char *_CMSID = "
// and the quoted "$CmsFile: %s $ $Date: %s $" (with " $ID: %s$" when id is given) and ";".
std::string CmsIdentificationLine(const std::string& file, const std::string& date, const std::string& id);
