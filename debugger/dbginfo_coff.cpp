#include <algorithm>
#include <cstring>

#include "debugger/dbginfo.h"
#include "debugger/dbginfo_bytes.h"

namespace {

constexpr uint32_t kSymbolSize = 18;
constexpr uint8_t kExternalClass = 2;

uint32_t Value(const uint8_t* record) {
    uint32_t value;
    GetU32({record, kSymbolSize}, 8, &value);
    return value;
}

std::string NameOfRecord(const CoffView& coff, const uint8_t* record) {
    if (record[0] | record[1] | record[2] | record[3]) {
        const void* nul = memchr(record, 0, 8);
        return std::string(reinterpret_cast<const char*>(record),
                           nul ? static_cast<const uint8_t*>(nul) - record : 8);
    }
    uint32_t offset;
    GetU32({record, kSymbolSize}, 4, &offset);
    std::string name;
    GetCString({coff.strings, coff.strings_room}, offset, &name);
    return name;
}

void BuildCodeSymbols(ImageFacts* facts) {
    if (facts->code_symbols_built) return;
    facts->code_symbols_built = true;
    const CoffView& coff = facts->coff;
    for (uint32_t i = 0; i < coff.count; i += 1 + coff.symbols[i * kSymbolSize + 17]) {
        const uint8_t* record = coff.symbols + i * kSymbolSize;
        uint16_t section = static_cast<uint16_t>(record[12] | record[13] << 8);
        if (section == 1 && record[16] == kExternalClass && NameOfRecord(coff, record).rfind(".text", 0) != 0)
            facts->code_symbols.push_back(record);
    }
    std::stable_sort(facts->code_symbols.begin(), facts->code_symbols.end(),
                     [](const uint8_t* a, const uint8_t* b) { return Value(a) < Value(b); });
}

bool Report(const ImageFacts& facts, const uint8_t* record, std::string* name, uint32_t* value) {
    *name = NameOfRecord(facts.coff, record);
    *value = Value(record) + facts.image_base;
    return true;
}

// The first external code symbol whose value lies above the address.
std::vector<const uint8_t*>::const_iterator FirstAbove(ImageFacts* facts, uint32_t address) {
    BuildCodeSymbols(facts);
    return std::upper_bound(facts->code_symbols.cbegin(), facts->code_symbols.cend(), address - facts->image_base,
                            [](uint32_t v, const uint8_t* s) { return v < Value(s); });
}

}  // namespace

std::string CoffSymbolName(const CoffView& coff, uint32_t index) {
    if (index >= coff.count) return std::string();
    return NameOfRecord(coff, coff.symbols + uint64_t(index) * kSymbolSize);
}

bool CoffAddressByName(const ImageFacts& facts, const char* name, uint32_t* address) {
    const CoffView& coff = facts.coff;
    for (uint32_t i = 0; i < coff.count; i += 1 + coff.symbols[uint64_t(i) * kSymbolSize + 17]) {
        const uint8_t* record = coff.symbols + uint64_t(i) * kSymbolSize;
        if (NameOfRecord(coff, record) == name) {
            *address = Value(record) + facts.image_base;
            return true;
        }
    }
    return false;
}

bool CoffSymbolAtOrBelow(ImageFacts* facts, uint32_t address, std::string* name, uint32_t* value) {
    auto above = FirstAbove(facts, address);
    if (address < facts->image_base || above == facts->code_symbols.cbegin()) return false;
    return Report(*facts, *(above - 1), name, value);
}

bool CoffSymbolAbove(ImageFacts* facts, uint32_t address, std::string* name, uint32_t* value) {
    auto above = FirstAbove(facts, address);
    if (address < facts->image_base || above == facts->code_symbols.cend()) return false;
    return Report(*facts, *above, name, value);
}
