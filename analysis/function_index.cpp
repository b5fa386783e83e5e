#include "analysis/function_index.h"

#include <cstring>

bool ScanText(const Language& lang, SourceLines text, const char* path, FunctionIndex* index) {
    index->functions.clear();
    bool found = lang.scan_functions && lang.scan_functions(lang, text, path, &index->functions);
    index->scanned = true;
    return found;
}

const FunctionRecord* FindFunction(const FunctionIndex& index, const char* name) {
    for (const FunctionRecord& f : index.functions)
        if (f.name == name) return &f;
    return nullptr;
}

const FunctionRecord* FunctionAtLine(const FunctionIndex& index, int32_t line) {
    const std::vector<FunctionRecord>& fs = index.functions;
    for (size_t i = 0; i < fs.size(); ++i) {
        const FunctionRecord& f = fs[i];
        if (f.start_line > line) break;
        int32_t last = f.end_line;
        if (last == 0) last = i + 1 < fs.size() ? fs[i + 1].start_line - 1 : INT32_MAX;
        if (line <= last) return &f;
    }
    return nullptr;
}

FunctionRecord MakeFunctionRecord(const char* name, int length) {
    FunctionRecord r;
    r.name.assign(name, length);
    r.hash = static_cast<uint16_t>(KeywordHash(name, length));
    return r;
}
