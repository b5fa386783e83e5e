#include "editor/edit_text.h"

#include <algorithm>

#include "editor/bookmarks.h"
#include "editor/undo_journal.h"
#include "shell/report.h"

namespace {

// Moves the cursors' positions after an insertion of `added` lines at `at` that ends at `end`.
void FixAfterInsert(TextDocument* doc, const TextPosition& at, const TextPosition& end, TextLine* first, int added,
                    bool at_head) {
    for (EditCursor* c = FirstCursor(); c; c = c->next_cursor) {
        if (c->doc != doc) continue;
        for (TextPosition* p : {&c->caret, &c->anchor, &c->top}) {
            if (!p->line) continue;
            if (at_head || p->number > at.number) {
                if (p->number >= at.number) p->number += added;
            } else if (p->number == at.number) {
                if (p != &c->top && p->column >= at.column) *p = {end.line, end.number, end.column + p->column - at.column};
                else p->line = first;
            }
        }
    }
}

void FixAfterDelete(TextDocument* doc, const TextPosition& from, const TextPosition& to, const TextPosition& joined,
                    int removed_lines) {
    for (EditCursor* c = FirstCursor(); c; c = c->next_cursor) {
        if (c->doc != doc) continue;
        for (TextPosition* p : {&c->caret, &c->anchor, &c->top}) {
            if (!p->line) continue;
            if (p->number < from.number) continue;
            if (p == &c->top) {
                if (p->number <= to.number) *p = {joined.line, joined.number, 0};
                else p->number -= removed_lines;
            } else if (Before(*p, from)) {
                p->line = joined.line;
            } else if (Before(*p, to)) {
                *p = joined;
            } else if (p->number == to.number && !IsHead(doc, to)) {
                *p = {joined.line, joined.number, joined.column + p->column - to.column};
            } else {
                p->number -= removed_lines;
            }
        }
    }
}

// Replaces a line's text, keeping bookmarks on it when the record moves.
TextLine* SetLineText(TextDocument* doc, TextLine* line, const std::string& text) {
    TextLine* fresh = ReplaceLineText(doc, line, text.data(), static_cast<int>(text.size()));
    if (fresh && fresh != line) BookmarksLineMoved(line, fresh);
    return fresh;
}

void RemoveLine(TextDocument* doc, TextLine* line) {
    BookmarksLineDeleted(line);
    DeleteLine(doc, line);
}

}  // namespace

TextPosition PositionAfterText(const TextDocument* doc, const TextPosition& at, const std::string& text) {
    int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    size_t last_break = text.rfind('\n');
    int column = lines ? static_cast<int>(text.size() - last_break - 1) : at.column + static_cast<int>(text.size());
    return PositionNear(doc, at, at.number + lines, column);
}

bool InsertTextAt(TextDocument* doc, const TextPosition& where, const char* text, int length, TextPosition* end) {
    const TextPosition at = where;  // `where` may be a cursor's caret, which the fix-up moves
    if (length <= 0) {
        if (end) *end = at;
        return true;
    }
    std::string recorded(text, static_cast<size_t>(length));
    bool at_head = IsHead(doc, at);
    std::string body = recorded;
    if (at_head) {
        // The new last line brings its own line end.
        if (body.back() == '\n') body.pop_back();
        else recorded += '\n';
    }
    std::vector<std::string> pieces(1);
    for (char ch : body) {
        if (ch == '\n') pieces.emplace_back();
        else pieces.back() += ch;
    }
    TextLine* line = at.line;
    int column = at.column;
    std::string rest;
    if (!at_head) {
        std::string head_part(line->text, static_cast<size_t>(column));
        rest.assign(line->text + column, static_cast<size_t>(line->length - column));
        pieces.front() = head_part + pieces.front();
    }
    pieces.back() += rest;
    for (const std::string& p : pieces)
        if (p.size() > static_cast<size_t>(kMaxTextLineLength)) {
            ShowErrorId(4001);
            return false;
        }
    if (at_head) {
        line = InsertLineAfter(doc, doc->lines->previous, "", 0);
        if (!line) return false;
    }
    TextLine* first = SetLineText(doc, line, pieces.front());
    if (!first) return false;
    TextLine* last = first;
    for (size_t i = 1; i < pieces.size(); ++i) {
        TextLine* next = InsertLineAfter(doc, last, pieces[i].data(), static_cast<int>(pieces[i].size()));
        if (!next) break;  // out of memory: what was inserted stays, and is journalled below
        last = next;
    }
    int added = static_cast<int>(pieces.size()) - 1 + (at_head ? 1 : 0);
    TextPosition start{first, at.number, at_head ? 0 : at.column};
    TextPosition after{last, at.number + static_cast<int>(pieces.size()) - 1,
                       last->length - static_cast<int>(rest.size())};
    if (at_head && text[length - 1] == '\n') after = EndOf(doc);  // the text ended with a line end: it reaches the head line
    FixAfterInsert(doc, at, after, first, added, at_head);
    JournalNoteInsert(doc, start, recorded);
    MarkModified(doc);
    if (end) *end = after;
    return true;
}

std::string TextBetween(const TextDocument* doc, TextPosition from, TextPosition to) {
    if (Before(to, from)) std::swap(from, to);
    std::string text;
    TextPosition p = from;
    while (Before(p, to) && !IsHead(doc, p)) {
        if (p.number == to.number) {
            text.append(p.line->text + p.column, static_cast<size_t>(to.column - p.column));
            break;
        }
        text.append(p.line->text + p.column, static_cast<size_t>(p.line->length - p.column));
        text += '\n';
        p = {p.line->next, p.number + 1, 0};
    }
    return text;
}

bool DeleteRange(TextDocument* doc, TextPosition from, TextPosition to, std::string* removed) {
    if (Before(to, from)) std::swap(from, to);
    if (IsHead(doc, from)) return true;
    if (IsHead(doc, to) && from.column > 0) {
        TextLine* last = doc->lines->previous;
        to = {last, doc->line_count, last->length};
    }
    if (SamePlace(from, to)) return true;
    std::string text = TextBetween(doc, from, to);
    int removed_lines = to.number - from.number;
    TextPosition joined;
    if (IsHead(doc, to)) {
        // Whole lines to the end of the document.
        TextLine* keep = from.line->previous;
        while (keep->next != doc->lines) RemoveLine(doc, keep->next);
        joined = {doc->lines, from.number, 0};
    } else {
        std::string joined_text(from.line->text, static_cast<size_t>(from.column));
        joined_text.append(to.line->text + to.column, static_cast<size_t>(to.line->length - to.column));
        if (joined_text.size() > static_cast<size_t>(kMaxTextLineLength)) {
            ShowErrorId(4001);
            return false;
        }
        bool one_line = to.line == from.line;
        TextLine* line = SetLineText(doc, from.line, joined_text);
        if (!line) return false;
        if (!one_line) {
            while (line->next != to.line) RemoveLine(doc, line->next);
            RemoveLine(doc, to.line);
        }
        joined = {line, from.number, from.column};
    }
    FixAfterDelete(doc, from, to, joined, removed_lines);
    JournalNoteDelete(doc, from, text);
    MarkModified(doc);
    if (removed) *removed += text;
    return true;
}
