#include "editor/edit_typing.h"

#include <cctype>

#include "editor/edit_clipboard.h"
#include "editor/edit_text.h"
#include "editor/text_macros.h"
#include "editor/text_tabs.h"
#include "editor/undo_journal.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool CSource(const EditCursor* c) { return (c->doc->flags & kDocCSource) != 0; }

int LastNonBlank(const TextLine* line) {
    int n = line->length;
    while (n > 0 && IsBlank(line->text[n - 1])) --n;
    return n - 1;
}

std::string FirstWord(const TextLine* line) {
    int i = LeadingWhiteSpace(line->text, line->length, 1, nullptr);
    int start = i;
    while (i < line->length && (std::isalnum(static_cast<unsigned char>(line->text[i])) || line->text[i] == '_')) ++i;
    return std::string(line->text + start, static_cast<size_t>(i - start));
}

bool OpensBlock(const TextLine* line) {
    int last = LastNonBlank(line);
    if (last < 0) return false;
    if (line->text[last] == '{') return true;
    return FirstWord(line) == "case" && line->text[last] == ':';
}

bool IsControlLine(const TextLine* line) {
    std::string word = FirstWord(line);
    if (word == "else") return true;
    if (word != "if" && word != "for" && word != "while" && word != "do") return false;
    int last = LastNonBlank(line);
    char c = line->text[last];
    return c == ')' || c == '&' || c == '|';
}

// Overwrite typing: the character under the caret goes first, except a tab that
// does not end at the next column.
void Overwrite(EditCursor* c) {
    TextPosition p = c->caret;
    if (IsHead(c->doc, p) || p.column >= p.line->length) return;
    if (p.line->text[p.column] == '\t') {
        int x = ExpandedColumn(p.line->text, p.line->length, p.column, c->tab_width);
        int tab = c->tab_width < 1 ? 1 : c->tab_width;
        if ((x + 1) % tab != 0) return;
    }
    TextPosition next = p;
    StepRight(c->doc, &next);
    DeleteRange(c->doc, p, next, nullptr);
}

// A '}' on a line holding only white space before it moves back one tab stop.
void Outdent(EditCursor* c) {
    TextLine* line = c->caret.line;
    int width;
    int n = LeadingWhiteSpace(line->text, line->length, c->tab_width, &width);
    if (n < c->caret.column || c->caret.column == 0) return;
    int target = width - c->tab_width;
    if (target < 0) target = 0;
    int number = c->caret.number;
    DeleteRange(c->doc, {line, number, 0}, c->caret, nullptr);
    InsertTextAtCaret(c, IndentText(target, c->tab_width), false);
}

bool DeleteSelectionAsCut(EditCursor* c) {
    JournalBegin(c, 1111);
    bool ok = CutSelection(c);
    JournalEnd();
    return ok;
}

}  // namespace

int AutoIndentWidth(const TextDocument* doc, const TextPosition& at, int tab, bool c_source) {
    const TextLine* source = at.line;
    while (source != doc->lines && source->length == 0) source = source->previous;
    if (source == doc->lines) return 0;
    int width;
    LeadingWhiteSpace(source->text, source->length, tab, &width);
    if (!c_source || IsHead(doc, at)) return width;
    const TextLine* split = at.line;
    bool opens = OpensBlock(split);
    if (opens) {
        if (split->text[LastNonBlank(split)] != ';') width += tab;
    } else if (split->previous != doc->lines && IsControlLine(split->previous)) {
        width -= tab;
    }
    return width < 0 ? 0 : width;
}

bool InsertCharacters(EditCursor* c, char ch, int n) {
    if (n <= 0) return true;
    if (!IsHead(c->doc, c->caret) && c->caret.line->length + n > kMaxTypedLineLength) {
        ShowStatus(MessageText(4001), StatusColour::Red);
        if (!SplitLineAtCaret(c, false)) return false;
    }
    std::string text(static_cast<size_t>(n), ch);
    return InsertTextAt(c->doc, c->caret, text.data(), n, &c->caret);
}

bool InsertTextAtCaret(EditCursor* c, const std::string& text, bool indent) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start && !InsertTextAt(c->doc, c->caret, text.data() + start, static_cast<int>(end - start), &c->caret))
            return false;
        if (end == text.size()) break;
        if (!SplitLineAtCaret(c, indent)) return false;
        start = end + 1;
    }
    return true;
}

bool SplitLineAtCaret(EditCursor* c, bool indent) {
    int width = indent ? AutoIndentWidth(c->doc, c->caret, c->tab_width, CSource(c)) : 0;
    if (!InsertTextAt(c->doc, c->caret, "\n", 1, &c->caret)) return false;
    if (width <= 0 || IsHead(c->doc, c->caret)) return true;
    int own;
    LeadingWhiteSpace(c->caret.line->text, c->caret.line->length, c->tab_width, &own);
    std::string pad = IndentText(width - own, c->tab_width);
    return InsertTextAt(c->doc, c->caret, pad.data(), static_cast<int>(pad.size()), &c->caret);
}

bool Backspace(EditCursor* c, int n) {
    JournalBegin(c, kJournalTyped, 8);
    bool any = false;
    for (int i = 0; i < n; ++i) {
        TextPosition left = c->caret;
        if (!StepLeft(c->doc, &left)) break;
        if (!DeleteRange(c->doc, left, c->caret, nullptr)) break;
        // The caret follows the deletion; only the end of a last line that keeps its
        // line end is stepped over without deleting.
        if (IsHead(c->doc, c->caret) && left.column > 0) c->caret = left;
        any = true;
    }
    JournalEnd();
    return any;
}

bool DeleteKey(EditCursor* c, int n) {
    if (HasSelection(c)) return DeleteSelectionAsCut(c);
    if (IsHead(c->doc, c->caret)) return false;
    JournalBegin(c, kJournalKey, 0x2E);
    bool any = false;
    for (int i = 0; i < n; ++i) {
        TextPosition right = c->caret;
        if (!StepRight(c->doc, &right) || !DeleteRange(c->doc, c->caret, right, nullptr)) break;
        any = true;
    }
    JournalEnd();
    return any;
}

bool TypeCharacter(EditCursor* c, unsigned char ch, int repeat, bool ctrl) {
    if (repeat < 1) repeat = 1;
    if (HasSelection(c)) {
        if (ch == 27) {
            DropSelection(c);
            return true;
        }
        if (!ctrl || ch >= 32) {
            TextPosition from, to;
            bool had = SelectionRange(c, &from, &to);
            if (had) DeleteSelectionAsCut(c);
            DropSelection(c);
            if (ch == 8 && had) return true;
        }
    }
    DropSelection(c);
    if (ctrl && ch >= 1 && ch <= 26) {
        const TextMacro* macro = FindMacro(static_cast<char>('a' + ch - 1));
        return macro && InsertMacro(c, *macro);
    }
    bool ok = true;
    switch (ch) {
        case 13:
            if (c->overwrite) {
                if (IsHead(c->doc, c->caret) || c->caret.line->next == c->doc->lines) return false;
                JournalMotion(c, kJournalTyped, 13);
                c->caret = {c->caret.line->next, c->caret.number + 1, 0};
                return true;
            }
            JournalBegin(c, kJournalTyped, 13);
            for (int i = 0; i < repeat && ok; ++i) ok = SplitLineAtCaret(c, c->auto_indent && repeat == 1);
            JournalEnd();
            return ok;
        case 8:
            return Backspace(c, repeat);
        case 9:
            JournalBegin(c, kJournalTyped, 9);
            ok = InsertCharacters(c, '\t', repeat);
            JournalEnd();
            return ok;
        default:
            break;
    }
    if (ch < 32) return false;
    JournalBegin(c, kJournalTyped, ch);
    if (ch == '}' && c->auto_indent && CSource(c) && !IsHead(c->doc, c->caret)) Outdent(c);
    for (int i = 0; i < repeat && ok; ++i) {
        if (c->overwrite) Overwrite(c);
        ok = InsertCharacters(c, static_cast<char>(ch), 1);
    }
    JournalEnd();
    return ok;
}
