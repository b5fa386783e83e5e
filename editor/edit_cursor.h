#pragma once
// Places in a document and the cursors of its views. A cursor is the caret, the
// selection anchor and the top line of one view; every text change goes through
// edit_text.h, which keeps all registered cursors of the document on live lines.
//
//     EditCursor cursor;
//     AttachCursor(&cursor, doc);      // caret and top at the first line
//     ... editing operations (edit_commands.h) ...
//     DetachCursor(&cursor);
#include "editor/text_document.h"

// A line (the head line stands past the last one), its 1-based number (line_count + 1
// for the head line) and a character index in it (0 on the head line).
struct TextPosition {
    TextLine* line = nullptr;
    int number = 0;
    int column = 0;
};

struct EditCursor {
    TextDocument* doc = nullptr;
    TextPosition caret;
    TextPosition anchor;  // line null: no selection; equal to the caret: an empty one
    TextPosition top;     // the first visible line; its column is not used
    int tab_width = 4;
    bool overwrite = false;
    bool auto_indent = true;
    void* window = nullptr;  // the view that owns the cursor, for the journal
    EditCursor* next_cursor = nullptr;
};

// Registers the cursor with caret and top at the document's first line (or the head
// line when it is empty).
void AttachCursor(EditCursor* cursor, TextDocument* doc);
void DetachCursor(EditCursor* cursor);
EditCursor* FirstCursor();  // then cursor->next_cursor
// After lines were added or removed other than through edit_text.h (inserting a file):
// renumbers the document's cursors from their lines. Their lines must still be live.
void RenumberCursors(const TextDocument* doc);

TextPosition StartOf(const TextDocument* doc);
TextPosition EndOf(const TextDocument* doc);  // the head line
inline bool IsHead(const TextDocument* doc, const TextPosition& p) { return p.line == doc->lines; }

// The position of line `number` (clamped to 1 .. line_count + 1) and `column` (clamped
// to the line), walking from `from` or from whichever end of the document is nearer.
TextPosition PositionNear(const TextDocument* doc, const TextPosition& from, int number, int column);
TextPosition PositionAt(const TextDocument* doc, int number, int column);

inline bool Before(const TextPosition& a, const TextPosition& b) {
    return a.number < b.number || (a.number == b.number && a.column < b.column);
}
inline bool SamePlace(const TextPosition& a, const TextPosition& b) {
    return a.number == b.number && a.column == b.column;
}

// One character on, a line end counting as one; false at the document's ends.
bool StepRight(const TextDocument* doc, TextPosition* p);
bool StepLeft(const TextDocument* doc, TextPosition* p);
// The character at p: LF at a line's end, 0 on the head line.
char CharAt(const TextDocument* doc, const TextPosition& p);

// Selection: the anchor is the fixed end, the caret the moving one.
inline bool HasSelection(const EditCursor* c) { return c->anchor.line != nullptr; }
inline void DropSelection(EditCursor* c) { c->anchor = TextPosition{}; }
inline void StartSelection(EditCursor* c) {
    if (!HasSelection(c)) c->anchor = c->caret;
}
// The selection's ends in text order; false when there is none or it is empty.
bool SelectionRange(const EditCursor* c, TextPosition* from, TextPosition* to);
