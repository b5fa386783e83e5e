#pragma once
// The file information dialog of the active document (command 1118, Shift+Esc).
void FileInformationCommand();
