#pragma once
// The text of the hit list as the output window shows it: the summary, then one line
// "[%s:%d] %s" per hit. Also serves the symbol-usage lists ("Usage of %s: %d hits.").
#include <string>
#include <vector>

#include "tools/grep.h"

// One hit's line: the file by its base name when it lies in `directory` (compared
// without regard to case), by its full path otherwise, lower-cased; the line number;
// the text without its leading blanks and tabs.
std::string HitLine(const GrepHit& hit, const std::string& directory);

// The summary followed by every hit's line.
std::vector<std::string> HitListLines(const std::string& summary, const std::vector<GrepHit>& hits,
                                      const std::string& directory);

// The file to open for a hit, lower-cased as the frame's open-file command expects
// (a name without a directory is taken in `directory`).
std::string HitFileToOpen(const GrepHit& hit, const std::string& directory);
