#pragma once
#include <windows.h>

#include <string>

struct AppState;

// 4096 bytes named "morla", of which the first 1024 are mapped read-write.
bool CreateSharedArea(AppState& app);
void CloseSharedArea(AppState& app);
std::string SharedAreaText(const AppState& app);

// Frame commands 3501 (open the named file), 3502 (go to a prototype's function) and
// 3503 (client width and height, low word / high word).
LRESULT HandleInterProcessCommand(AppState& app, UINT command);
