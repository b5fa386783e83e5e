#include "editor/edit_cursor.h"

namespace {

EditCursor* g_cursors;

}  // namespace

void AttachCursor(EditCursor* cursor, TextDocument* doc) {
    cursor->doc = doc;
    cursor->caret = cursor->top = StartOf(doc);
    DropSelection(cursor);
    cursor->next_cursor = g_cursors;
    g_cursors = cursor;
}

void DetachCursor(EditCursor* cursor) {
    for (EditCursor** p = &g_cursors; *p; p = &(*p)->next_cursor)
        if (*p == cursor) {
            *p = cursor->next_cursor;
            break;
        }
    cursor->next_cursor = nullptr;
}

EditCursor* FirstCursor() { return g_cursors; }

void RenumberCursors(const TextDocument* doc) {
    for (EditCursor* c = g_cursors; c; c = c->next_cursor) {
        if (c->doc != doc) continue;
        for (TextPosition* p : {&c->caret, &c->anchor, &c->top})
            if (p->line) p->number = IsHead(doc, *p) ? doc->line_count + 1 : LineNumber(doc, p->line);
    }
}

TextPosition StartOf(const TextDocument* doc) { return {doc->lines->next, 1, 0}; }
TextPosition EndOf(const TextDocument* doc) { return {doc->lines, doc->line_count + 1, 0}; }

TextPosition PositionNear(const TextDocument* doc, const TextPosition& from, int number, int column) {
    int last = doc->line_count + 1;
    if (number < 1) number = 1;
    if (number > last) number = last;
    TextPosition p = from;
    if (!p.line || p.number < 1 || p.number > last) p = StartOf(doc);
    int from_start = number - 1, from_here = number > p.number ? number - p.number : p.number - number;
    int from_end = last - number;
    if (from_start < from_here && from_start <= from_end) p = StartOf(doc);
    else if (from_end < from_here) p = EndOf(doc);
    while (p.number < number) p.line = p.line->next, ++p.number;
    while (p.number > number) p.line = p.line->previous, --p.number;
    int length = p.line == doc->lines ? 0 : p.line->length;
    p.column = column < 0 ? 0 : column > length ? length : column;
    return p;
}

TextPosition PositionAt(const TextDocument* doc, int number, int column) {
    return PositionNear(doc, StartOf(doc), number, column);
}

bool StepRight(const TextDocument* doc, TextPosition* p) {
    if (IsHead(doc, *p)) return false;
    if (p->column < p->line->length) {
        ++p->column;
        return true;
    }
    p->line = p->line->next;
    ++p->number;
    p->column = 0;
    return true;
}

bool StepLeft(const TextDocument* doc, TextPosition* p) {
    if (p->column > 0) {
        --p->column;
        return true;
    }
    if (p->line->previous == doc->lines) return false;
    p->line = p->line->previous;
    --p->number;
    p->column = p->line->length;
    return true;
}

char CharAt(const TextDocument* doc, const TextPosition& p) {
    if (IsHead(doc, p)) return 0;
    return p.column < p.line->length ? p.line->text[p.column] : '\n';
}

bool SelectionRange(const EditCursor* c, TextPosition* from, TextPosition* to) {
    if (!HasSelection(c) || SamePlace(c->anchor, c->caret)) return false;
    bool anchor_first = Before(c->anchor, c->caret);
    *from = anchor_first ? c->anchor : c->caret;
    *to = anchor_first ? c->caret : c->anchor;
    return true;
}
