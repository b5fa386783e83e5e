#pragma once
// A message-only window through which a worker thread hands its results to the
// user-interface thread (PostMessage to it; `procedure` runs on the thread that made it).
#include <windows.h>

// Registers the class once and creates the window; null on failure.
HWND CreateMessageSink(const char* class_name, WNDPROC procedure);
