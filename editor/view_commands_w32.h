#pragma once
// The editing commands on the current view: the handlers installed in the command
// table, and the commands the frame owns that the editor carries out.
#include <cstdint>

// Runs a command from an editor window's key: the editor's own frame-owned commands
// directly, all others through the frame's dispatcher.
void RunViewCommand(uint16_t command);
// Install the editor's handlers with SetCommandHandler.
void InstallViewCommands();
void InstallCompletion();  // 1280 (completion_w32.cpp)
void InstallMacroPage();   // 1119, the configuration sheet with its macro page (macro_page_w32.cpp)

// Frame-owned commands (1112, 1121, 1122, 1123, 1126, 1142, 1220) for the frame to call.
void EditorCopy();                // 1112: copy the selection, publish it to the system clipboard
void EditorTop();                 // 1121
void EditorEnd();                 // 1122
bool EditorGoToLine(int number);  // the caret to line n, scrolled into view
void EditorGoToLineDialog();      // 1123: asks for the number (goto_line_w32.cpp)
void EditorSetBookmark();         // 1142
void EditorCopyToFile();          // 1126: the internal clipboard to a file the user names
void EditorToggleBraceLevels();   // 1220: the brace-level margin on or off
