#include "editor/caret_status.h"

#include <cstdio>

#include "analysis/document_scan.h"

std::string CaretStatusText(TextDocument* doc, const TextPosition& caret) {
    char position[32];
    std::snprintf(position, sizeof position, "%u:%d", static_cast<unsigned>(caret.number), caret.column + 1);
    std::string text = position;
    const FunctionRecord* f = doc->language ? FunctionAtDocumentLine(doc, caret.number) : nullptr;
    if (f) text = f->name + " " + text;
    if (IsModified(doc)) text += " *";
    return text;
}
