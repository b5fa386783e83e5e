#include "analysis/navigation.h"

#include "editor/char_class.h"

const FunctionRecord* NextFunction(const FunctionIndex& index, int32_t line) {
    for (const FunctionRecord& f : index.functions)
        if (f.header_line > line) return &f;
    return nullptr;
}

const FunctionRecord* PreviousFunction(const FunctionIndex& index, int32_t line) {
    const FunctionRecord* found = nullptr;
    for (const FunctionRecord& f : index.functions)
        if (f.header_line < line) found = &f;
    return found;
}

namespace {

// 0 blank or outside the line, 1 identifier character, 2 any other character.
int ClassAt(const char* text, int32_t length, int32_t i) {
    if (i < 0 || i >= length || text[i] == ' ' || text[i] == '\t') return 0;
    return IsIdentifierChar(static_cast<unsigned char>(text[i])) ? 1 : 2;
}

}  // namespace

std::string WordAt(const char* text, int32_t length, int32_t column) {
    if (ClassAt(text, length, column) != 1 && ClassAt(text, length, column - 1) == 1) --column;
    const int kind = ClassAt(text, length, column);
    if (kind == 0) return {};
    int32_t start = column, end = column;
    while (ClassAt(text, length, start - 1) == kind) --start;
    while (ClassAt(text, length, end) == kind) ++end;
    return std::string(text + start, static_cast<size_t>(end - start));
}

bool CalledAt(const char* text, int32_t length, int32_t column) {
    if (ClassAt(text, length, column) != 1 && ClassAt(text, length, column - 1) == 1) --column;
    if (ClassAt(text, length, column) != 1) return false;
    while (ClassAt(text, length, column) == 1) ++column;
    while (column < length && (text[column] == ' ' || text[column] == '\t')) ++column;
    return column < length && text[column] == '(';
}
