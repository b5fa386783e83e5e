#include "shell/message_sink_w32.h"

HWND CreateMessageSink(const char* class_name, WNDPROC procedure) {
    WNDCLASSA wc{};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!GetClassInfoA(instance, class_name, &wc)) {
        wc.lpfnWndProc = procedure;
        wc.hInstance = instance;
        wc.lpszClassName = class_name;
        if (!RegisterClassA(&wc)) return nullptr;
    }
    return CreateWindowExA(0, class_name, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}
