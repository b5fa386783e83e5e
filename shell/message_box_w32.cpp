// The report functions as message boxes and the output window's status line.
#include <windows.h>

#include "shell/app_state_w32.h"
#include "shell/messages.h"
#include "shell/message_box_w32.h"
#include "shell/report.h"

namespace {

HWND Owner() { return g_app ? g_app->frame : nullptr; }

void ErrorBox(const char* text) {
    if (g_app && g_app->frame && IsIconic(g_app->frame)) ShowWindow(g_app->frame, SW_RESTORE);
    MessageBoxA(Owner(), text, MessageText(406), MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND);
}

bool AskBox(const char* text) {
    return MessageBoxA(Owner(), text, MessageText(3981), MB_YESNO | MB_SETFOREGROUND) == IDYES;
}

AskAnswer AskCancelBox(const char* text) {
    switch (MessageBoxA(Owner(), text, MessageText(3981), MB_YESNOCANCEL | MB_SETFOREGROUND)) {
        case IDYES: return AskAnswer::Yes;
        case IDNO: return AskAnswer::No;
        default: return AskAnswer::Cancel;
    }
}

void InformBox(const char* text) {
    MessageBoxA(Owner(), text, MessageText(3981), MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}

void OutOfMemoryBox(const char* text) { MessageBoxA(GetActiveWindow(), text, nullptr, MB_OK | MB_ICONSTOP); }

void StatusLine(const char* text, StatusColour colour) {
    if (!g_app || !g_app->output) return;
    SendMessageA(g_app->output, colour == StatusColour::Red ? kMsgOutputRed : kMsgOutputNavy, 0,
                 reinterpret_cast<LPARAM>(text));
}

const ReportSink kMessageBoxSink = {ErrorBox, AskBox, AskCancelBox, InformBox, OutOfMemoryBox, StatusLine};

}  // namespace

void InstallMessageBoxes() { SetReportSink(&kMessageBoxSink); }
