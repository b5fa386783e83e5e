#include "debugger/dbginfo_hash.h"

#include <cstring>

uint32_t CodeViewNameHash(const char* name, size_t length) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(name);
    uint32_t end = 0;
    size_t count = length;
    while (count & 3) {
        end |= bytes[count - 1] & 0xDF;
        end <<= 8;
        --count;
    }
    uint32_t sum = 0;
    for (size_t i = 0; i < count; i += 4) {
        uint32_t word = bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16 | uint32_t(bytes[i + 3]) << 24;
        sum ^= word & 0xDFDFDFDF;
        sum = sum << 4 | sum >> 28;
    }
    return sum ^ end;
}

void HashInsert(SymbolHash** hash, DebugSymbol* symbol) {
    if (!*hash) *hash = new SymbolHash;
    DebugSymbol*& head = (*hash)->buckets[CodeViewNameHash(symbol->name.data(), symbol->name.size()) & (kHashBuckets - 1)];
    symbol->next = head;
    head = symbol;
}

DebugSymbol* HashFind(const SymbolHash* hash, const char* name) {
    if (!hash) return nullptr;
    size_t length = strlen(name);
    for (DebugSymbol* s = hash->buckets[CodeViewNameHash(name, length) & (kHashBuckets - 1)]; s; s = s->next)
        if (s->name == name) return s;
    return nullptr;
}

void FreeHash(SymbolHash** hash) {
    if (!*hash) return;
    for (DebugSymbol* head : (*hash)->buckets) {
        while (head) {
            DebugSymbol* next = head->next;
            delete head;
            head = next;
        }
    }
    delete *hash;
    *hash = nullptr;
}
