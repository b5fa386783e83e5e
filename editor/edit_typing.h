#pragma once
// Typing into a document through a cursor: characters in insert and overwrite mode,
// Enter with automatic indentation, Backspace and Delete, each one journal step.
// Functions return false when nothing could be done (the window beeps).
#include <string>

#include "editor/edit_cursor.h"

inline constexpr int kMaxTypedLineLength = 511;  // typing into a longer line breaks it

// A character from WM_CHAR with its repeat count; `ctrl` tells Ctrl+letter macros
// (codes 1 to 26) from Backspace, Tab and Enter.
bool TypeCharacter(EditCursor* cursor, unsigned char ch, int repeat, bool ctrl);

// Inserts `n` copies of a character at the caret (no selection handling).
bool InsertCharacters(EditCursor* cursor, char ch, int n);
// Inserts text at the caret, the caret moving to its end; LF starts a new line, with
// automatic indentation when `indent` is set.
bool InsertTextAtCaret(EditCursor* cursor, const std::string& text, bool indent);
// Enter: splits the line at the caret (the new line indented when `indent`).
bool SplitLineAtCaret(EditCursor* cursor, bool indent);
bool Backspace(EditCursor* cursor, int n);
// The Delete key: the selection into the clipboard, else the character under the caret.
bool DeleteKey(EditCursor* cursor, int n);

// The indentation width automatic indentation gives a line split from `line`.
int AutoIndentWidth(const TextDocument* doc, const TextPosition& line, int tab, bool c_source);
