#include "editor/edit_motion.h"

#include <cctype>
#include <cstring>

#include "editor/undo_journal.h"

namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int LineLength(const TextDocument* doc, const TextPosition& p) { return IsHead(doc, p) ? 0 : p.line->length; }

int SmartHome(const TextLine* line) {
    int i = 0;
    while (i < line->length && static_cast<unsigned char>(line->text[i]) <= ' ') ++i;
    return i;
}

bool NextWord(const TextDocument* doc, TextPosition* p) {
    TextPosition q = *p;
    while (IsWordChar(CharAt(doc, q)))
        if (!StepRight(doc, &q)) break;
    while (!IsHead(doc, q) && !IsWordChar(CharAt(doc, q)))
        if (!StepRight(doc, &q)) break;
    if (SamePlace(q, *p)) return false;
    *p = q;
    return true;
}

bool PreviousWord(const TextDocument* doc, TextPosition* p) {
    TextPosition q = *p;
    bool moved = false;
    // Back over what is not a word, then to the start of the word.
    while (true) {
        TextPosition r = q;
        if (!StepLeft(doc, &r) || IsWordChar(CharAt(doc, r))) break;
        q = r;
        moved = true;
    }
    while (true) {
        TextPosition r = q;
        if (!StepLeft(doc, &r) || !IsWordChar(CharAt(doc, r))) break;
        q = r;
        moved = true;
    }
    if (moved) *p = q;
    return moved;
}

// Computes the motion's target; false when the caret cannot move.
bool Target(EditCursor* c, Motion motion, int count, TextPosition* out) {
    const TextDocument* doc = c->doc;
    TextPosition p = c->caret;
    switch (motion) {
        case Motion::Left:
            for (int i = 0; i < count; ++i)
                if (!StepLeft(doc, &p)) break;
            break;
        case Motion::Right:
            for (int i = 0; i < count; ++i)
                if (!StepRight(doc, &p)) break;
            break;
        case Motion::Up:
        case Motion::Down:
        case Motion::PageUp:
        case Motion::PageDown: {
            bool up = motion == Motion::Up || motion == Motion::PageUp;
            int target = p.number + (up ? -count : count);
            if (target > doc->line_count) target = doc->line_count;
            if (target < 1) target = 1;
            p = PositionNear(doc, p, target, p.column);
            break;
        }
        case Motion::Home: {
            if (IsHead(doc, p)) return false;
            int home = SmartHome(p.line);
            p.column = p.column <= home ? 0 : home;
            break;
        }
        case Motion::End:
        case Motion::LineEnd:
            p.column = LineLength(doc, p);
            break;
        case Motion::LineStart:
            p.column = 0;
            break;
        case Motion::Top:
            p = StartOf(doc);
            break;
        case Motion::Bottom:
            p = PositionNear(doc, p, doc->line_count, 0);
            break;
        case Motion::WordRight:
            NextWord(doc, &p);
            break;
        case Motion::WordLeft:
            PreviousWord(doc, &p);
            break;
    }
    if (SamePlace(p, c->caret)) return false;
    *out = p;
    return true;
}

}  // namespace

bool MoveCaret(EditCursor* c, Motion motion, int count) {
    TextPosition target;
    if (!Target(c, motion, count, &target)) return false;
    JournalMotion(c, kJournalKey, static_cast<uint32_t>(motion));
    if (motion == Motion::PageUp || motion == Motion::PageDown) {
        int delta = target.number - c->caret.number;
        c->top = PositionNear(c->doc, c->top, c->top.number + delta, 0);
    }
    c->caret = target;
    return true;
}

bool ExtendSelection(EditCursor* c, Motion motion, int count) {
    StartSelection(c);
    if (!MoveCaret(c, motion, count)) return false;
    if ((motion == Motion::Left || motion == Motion::Right) && SamePlace(c->caret, c->anchor)) DropSelection(c);
    return true;
}

bool GoToLine(EditCursor* c, int number) {
    TextPosition p = PositionNear(c->doc, c->caret, number < 1 ? 1 : number, 0);
    if (SamePlace(p, c->caret)) return false;
    JournalMotion(c, 1123);
    c->caret = p;
    return true;
}

bool FindMatchingBrace(const EditCursor* c, TextPosition* match) {
    const TextDocument* doc = c->doc;
    char open = CharAt(doc, c->caret);
    const char* pairs = "{}()[]";
    const char* at = open ? std::strchr(pairs, open) : nullptr;
    if (!at) return false;
    int index = static_cast<int>(at - pairs);
    bool forward = index % 2 == 0;
    char mine = pairs[index], other = pairs[forward ? index + 1 : index - 1];
    int depth = 0;
    char quote = 0;
    TextPosition p = c->caret;
    while (true) {
        char ch = CharAt(doc, p);
        if (quote) {
            // Inside a string or character constant: only its end counts (it ends at a line end too).
            TextPosition before = p;
            bool escaped = StepLeft(doc, &before) && CharAt(doc, before) == '\\';
            if ((ch == quote && !escaped) || ch == '\n') quote = 0;
        } else if ((ch == '"' || ch == '\'') && !SamePlace(p, c->caret)) {
            quote = ch;
        } else if (ch == mine) {
            ++depth;
        } else if (ch == other && --depth == 0) {
            *match = p;
            return true;
        }
        if (!(forward ? StepRight(doc, &p) : StepLeft(doc, &p)) || IsHead(doc, p)) return false;
    }
}

bool GoToMatchingBrace(EditCursor* c) {
    TextPosition match;
    if (!FindMatchingBrace(c, &match)) return false;
    JournalMotion(c, 1116);
    c->caret = match;
    return true;
}

bool SelectWord(EditCursor* c) {
    const TextDocument* doc = c->doc;
    if (IsHead(doc, c->caret)) return false;
    const TextLine* line = c->caret.line;
    int start = c->caret.column, end = c->caret.column;
    while (start > 0 && IsWordChar(line->text[start - 1])) --start;
    while (end < line->length && IsWordChar(line->text[end])) ++end;
    if (start == end) return false;
    c->anchor = {c->caret.line, c->caret.number, start};
    c->caret.column = end;
    return true;
}

bool MarkBlock(EditCursor* c) {
    const TextDocument* doc = c->doc;
    TextPosition p = c->caret;
    int depth = 0;
    // Back to the '{' that encloses the caret.
    while (true) {
        char ch = CharAt(doc, p);
        if (ch == '}' && !SamePlace(p, c->caret)) ++depth;
        else if (ch == '{' && depth-- == 0) break;
        if (!StepLeft(doc, &p)) return false;
    }
    EditCursor probe = *c;
    probe.caret = p;
    TextPosition end;
    if (!FindMatchingBrace(&probe, &end)) return false;
    StepRight(doc, &end);
    c->anchor = p;
    c->caret = end;
    return true;
}

void KeepCaretVisible(EditCursor* c, int rows) {
    if (rows < 1) rows = 1;
    int number = c->caret.number;
    if (IsHead(c->doc, c->top) && c->doc->line_count > 0) c->top = PositionNear(c->doc, c->top, c->doc->line_count, 0);
    if (number < c->top.number) c->top = PositionNear(c->doc, c->caret, number, 0);
    else if (number >= c->top.number + rows) c->top = PositionNear(c->doc, c->caret, number - rows + 1, 0);
}

void CentreCaret(EditCursor* c, int rows) {
    JournalMotion(c, 1191);
    c->top = PositionNear(c->doc, c->caret, c->caret.number - rows / 2, 0);
}

bool ScrollLines(EditCursor* c, int delta) {
    int target = c->top.number + delta;
    if (target > c->doc->line_count) target = c->doc->line_count;
    if (target < 1) target = 1;
    if (target == c->top.number) return false;
    c->top = PositionNear(c->doc, c->top, target, 0);
    return true;
}
