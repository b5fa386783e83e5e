#pragma once
// The two changes every edit is made of. The text is seen as its lines, each ended by
// LF; both keep every registered cursor and bookmark of the document on live lines,
// mark the document modified and write the change into the open journal step.
#include <string>

#include "editor/edit_cursor.h"

// Inserts `length` characters (LF starts a new line) at `at`; *end (optional) gets the
// position just after them. Text inserted on the head line becomes new last lines.
// False (document unchanged) when a line would outgrow the longest line or memory ends.
bool InsertTextAt(TextDocument* doc, const TextPosition& at, const char* text, int length, TextPosition* end);

// Deletes the text between two positions (either order), appending it to *removed when
// given. The last line's LF goes only with the whole line: a range from inside a line
// to the head line stops at the end of the last line.
bool DeleteRange(TextDocument* doc, TextPosition from, TextPosition to, std::string* removed);

// The text between two positions in text order, lines ended by LF.
std::string TextBetween(const TextDocument* doc, TextPosition from, TextPosition to);

// The position `text` reaches when it is inserted at `at` (its LFs counted).
TextPosition PositionAfterText(const TextDocument* doc, const TextPosition& at, const std::string& text);
