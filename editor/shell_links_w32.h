#pragma once
// Sets the shell hooks that describe editor windows and move the caret to a line.
void LinkEditorToShell();
