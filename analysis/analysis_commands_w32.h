#pragma once
// The source-analysis commands of the menus and keys, each working on the current
// editor document, and the windows they share.
#include <vector>

#include "analysis/metrics.h"

void FunctionListCommand();      // 1168: pick a function, go to its name line
void NextFunctionCommand();      // 1209
void PreviousFunctionCommand();  // 1210
void GlobalsCommand();           // 1193
void FunctionMetricsCommand();   // 1180: pick a function, show its measures
void FileMetricsCommand();       // 1179: plot the measures of all functions
void PrototypesCommand();        // 1181
void StringTableCommand();       // 1219
void DefinitionCommand();        // 1158: the definition of the word at the caret

// Registers the window classes and installs the handlers.
void InstallAnalysisCommands();

// The dialog "Morla code analysis" on function `current` of `all`; "Next function"
// walks the list round.
void ShowMetricsDialog(const std::vector<FunctionMetrics>& all, int current);
// The class of the file plot, "clGrClass".
bool RegisterMetricsPlotClass();
