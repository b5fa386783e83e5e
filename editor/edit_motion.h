#pragma once
// Caret motions. Each records itself in the journal (so Undo puts the caret back) and
// returns false, changing nothing, when it cannot move (the window beeps).
#include "editor/edit_cursor.h"

enum class Motion {
    Left, Right, Up, Down,          // by `count` characters or lines
    Home, End,                      // smart line start; line end
    PageUp, PageDown,               // by `count` rows, the caret keeping its row
    Top, Bottom,                    // first line, last line
    WordRight, WordLeft,            // start of the next or previous word
    LineStart, LineEnd,             // column 0; end of line (selection motions)
};

bool MoveCaret(EditCursor* cursor, Motion motion, int count = 1);
// Extends the selection (starting it at the caret) by the motion; Left and Right drop
// it when the caret comes back onto the anchor.
bool ExtendSelection(EditCursor* cursor, Motion motion, int count = 1);
// Line n (1-based, clamped), column 0.
bool GoToLine(EditCursor* cursor, int number);

// The brace matching the one under the caret ('{' '}' '(' ')' '[' ']'), skipping
// strings and character constants on the way; false when there is none.
bool FindMatchingBrace(const EditCursor* cursor, TextPosition* match);
bool GoToMatchingBrace(EditCursor* cursor);
// Selects the word under the caret (trailing blanks not included).
bool SelectWord(EditCursor* cursor);
// Selects the innermost { } block around the caret, braces included.
bool MarkBlock(EditCursor* cursor);

// Moves the top line so that the caret's line is among the `rows` visible ones.
void KeepCaretVisible(EditCursor* cursor, int rows);
// Scrolls so that the caret line is in the middle of `rows` rows.
void CentreCaret(EditCursor* cursor, int rows);
// Scrolls the top line by `delta` lines without moving the caret.
bool ScrollLines(EditCursor* cursor, int delta);
