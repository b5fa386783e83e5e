#pragma once
// Makes the report functions show message boxes and write the output window's status line.
void InstallMessageBoxes();
