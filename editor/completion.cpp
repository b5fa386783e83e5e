#include "editor/completion.h"

#include <algorithm>

#include "analysis/document_scan.h"
#include "analysis/language.h"
#include "editor/char_class.h"
#include "editor/edit_typing.h"
#include "editor/struct_members.h"
#include "editor/undo_journal.h"

namespace {

std::vector<std::string> DocumentTextLines(const TextDocument* doc) {
    std::vector<std::string> lines;
    for (const TextLine* l = FirstLine(doc); l; l = NextLine(doc, l)) lines.emplace_back(l->text, static_cast<size_t>(l->length));
    return lines;
}

bool IsC(const TextDocument* doc) { return doc->language && doc->language->code == kLanguageC; }

// The expression before a '.' or "->" that ends at `end` in the line: names, each
// perhaps subscripted, joined by '.' and "->"; empty when there is no such separator.
std::string ExpressionBefore(const char* text, int end) {
    int i = end;
    bool separator = false;
    if (i >= 1 && text[i - 1] == '.') i -= 1, separator = true;
    else if (i >= 2 && text[i - 2] == '-' && text[i - 1] == '>') i -= 2, separator = true;
    if (!separator) return "";
    int stop = i;
    for (;;) {
        // Subscripts: "a[i]." names an element of a.
        while (i > 0 && text[i - 1] == ']') {
            int depth = 0;
            do {
                --i;
                if (text[i] == ']') ++depth;
                else if (text[i] == '[') --depth;
            } while (i > 0 && depth > 0);
            if (depth > 0) return "";
        }
        while (i > 0 && IsIdentifierChar(static_cast<unsigned char>(text[i - 1]))) --i;
        if (i >= 1 && text[i - 1] == '.') --i;
        else if (i >= 2 && text[i - 2] == '-' && text[i - 1] == '>') i -= 2;
        else break;
    }
    return std::string(text + i, static_cast<size_t>(stop - i));
}

}  // namespace

Completion CompletionAt(TextDocument* doc, const TextPosition& caret) {
    Completion c;
    if (IsHead(doc, caret) || !IsC(doc)) return c;
    const char* text = caret.line->text;
    int start = caret.column;
    while (start > 0 && IsIdentifierChar(static_cast<unsigned char>(text[start - 1]))) --start;
    c.word.assign(text + start, static_cast<size_t>(caret.column - start));
    std::string expression = ExpressionBefore(text, start);
    if (!expression.empty() && FunctionAtDocumentLine(doc, caret.number)) {
        c.member = true;
        for (std::string& name : StructMembersOf(TokenizeC(DocumentTextLines(doc)), expression, caret.number))
            if (name.size() > c.word.size() && name.compare(0, c.word.size(), c.word) == 0) c.candidates.push_back(name);
    } else if (!c.word.empty() && !(c.word[0] >= '0' && c.word[0] <= '9')) {
        std::vector<LineView> lines = DocumentLines(doc);
        CollectCompletions(AsSource(lines), c.word.c_str(), &c.candidates);
        std::sort(c.candidates.begin(), c.candidates.end());
    }
    c.candidates.erase(std::unique(c.candidates.begin(), c.candidates.end()), c.candidates.end());
    return c;
}

bool InsertCompletion(EditCursor* cursor, const Completion& completion, const std::string& chosen) {
    if (chosen.size() <= completion.word.size() || chosen.compare(0, completion.word.size(), completion.word) != 0)
        return false;
    DropSelection(cursor);
    JournalBegin(cursor, kCompletionCommand);
    bool ok = InsertTextAtCaret(cursor, chosen.substr(completion.word.size()), false);
    JournalEnd();
    return ok;
}
