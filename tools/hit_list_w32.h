#pragma once
// The hit list in the output window's search page: the multi-file search's results and
// the symbol-usage lists. A double click on a hit opens its file at its line.
#include <string>
#include <vector>

#include "tools/grep.h"

// Replaces the current hit list and shows it: the summary, then one line per hit (file
// names relative to `directory` as HitLine gives them).
void ShowHitList(const std::string& summary, std::vector<GrepHit> hits, const std::string& directory);

// Makes the output window's search page show the last hit list when it is selected.
void InstallHitListPage();
