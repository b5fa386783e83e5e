#pragma once
// Text macros: a text bound to a letter; Ctrl and the letter inserts it at the caret
// and leaves the caret `position` characters into it. Kept in the configuration's
// macro list (config/configuration.h), which the registry store reads and writes.
#include <string>
#include <vector>

#include "config/configuration.h"
#include "editor/edit_cursor.h"

using TextMacro = MacroSetting;

// The macro list in use, in the order of definition.
std::vector<TextMacro>& Macros();
// Takes over the configuration's macros (codes made unique, the later one winning)
// and gives them back for saving.
void LoadMacros(const Configuration& config);
void SaveMacros(Configuration& config);

// The first macro whose code begins with the letter, or with its upper-case form.
const TextMacro* FindMacro(char letter);
// Replaces the text and position of the macro with the same first letter, or appends it.
void DefineMacro(std::vector<TextMacro>& list, const TextMacro& macro);
bool RemoveMacro(std::vector<TextMacro>& list, char letter);

// Inserts the text (LF a new line with automatic indentation when the cursor has it on)
// as one journal step, then puts the caret `position` characters after the start.
bool InsertMacro(EditCursor* cursor, const TextMacro& macro);
