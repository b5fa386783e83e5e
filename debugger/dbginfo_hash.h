#pragma once
// The 1024-bucket symbol hashes, bucketed by the CodeView 4 symbol-name hash.
#include <cstddef>
#include <cstdint>

#include "debugger/dbginfo.h"

uint32_t CodeViewNameHash(const char* name, size_t length);
// Pushes the symbol at the head of its bucket; the hash is created on first insertion.
void HashInsert(SymbolHash** hash, DebugSymbol* symbol);
DebugSymbol* HashFind(const SymbolHash* hash, const char* name);
void FreeHash(SymbolHash** hash);
