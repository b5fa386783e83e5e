#pragma once
// The caret position for the output window's status line: "%u:%d" (line, column + 1),
// after the name of the function holding the caret line when the document has a
// language and functions, with " *" while the document is modified.
#include <string>

#include "editor/edit_cursor.h"

std::string CaretStatusText(TextDocument* doc, const TextPosition& caret);
