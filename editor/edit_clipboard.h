#pragma once
// The internal clipboard that Cut, Copy and Paste use: text with LF between lines. The
// Win32 layer exchanges it with the system clipboard.
#include <string>

#include "editor/edit_cursor.h"

const std::string& ClipboardText();
void SetClipboardText(std::string text);

// Copy (1112): the selection becomes the clipboard's text; false when nothing is selected.
bool CopySelection(const EditCursor* cursor);
// Cut (1111): the selection into the clipboard and out of the document.
bool CutSelection(EditCursor* cursor);
// Paste (1113): the clipboard inserted at the caret, one journal step; the selection is dropped.
bool PasteClipboard(EditCursor* cursor);
// Copy to File (1126): the clipboard's text, lines ended by CR LF, through a temporary
// file; "Clipboard empty" on the status line when there is nothing to write.
bool WriteClipboardToFile(const char* name);
// Deletes the selection without touching the clipboard (the caret goes to its start).
bool DeleteSelection(EditCursor* cursor);
