#pragma once
// Identifier completion (command 1280, Esc): the word that ends at the caret, and the
// names that may complete it. After '.' or "->" inside a function they are the
// members of the expression's structure; otherwise the names of the document that
// begin with the word.
#include <string>
#include <vector>

#include "editor/edit_cursor.h"

inline constexpr int kCompletionCommand = 1280;
inline constexpr size_t kCompletionMenuLimit = 25;  // this many or more go to a list dialog

struct Completion {
    std::string word;                     // the identifier characters before the caret
    bool member = false;                  // after '.' or "->" inside a function
    std::vector<std::string> candidates;  // each longer than the word and beginning with it
};

Completion CompletionAt(TextDocument* doc, const TextPosition& caret);

// Inserts the characters of `chosen` after the word as one journal step (command
// 1280), so Undo removes them. False when `chosen` does not continue the word.
bool InsertCompletion(EditCursor* cursor, const Completion& completion, const std::string& chosen);
