#pragma once
// The function scanners of the built-in languages (see language.h for the contract).
#include "analysis/language.h"

bool ScanCFunctions(const Language& lang, SourceLines text, const char* path, std::vector<FunctionRecord>* out);
bool ScanPatternFunctions(const Language& lang, SourceLines text, const char* path, std::vector<FunctionRecord>* out);
bool ScanFortranFunctions(const Language& lang, SourceLines text, const char* path, std::vector<FunctionRecord>* out);
bool ScanPascalFunctions(const Language& lang, SourceLines text, const char* path, std::vector<FunctionRecord>* out);
