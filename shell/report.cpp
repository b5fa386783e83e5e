#include "shell/report.h"

#include <cstdio>
#include <cstring>

#include "shell/format_buffer.h"
#include "shell/messages.h"

namespace {

void StderrError(const char* text) { fprintf(stderr, "Error: %s\n", text); }
bool NoAnswer(const char*) { return false; }
AskAnswer CancelAnswer(const char*) { return AskAnswer::Cancel; }
void StderrInform(const char* text) { fprintf(stderr, "%s\n", text); }
void NoStatus(const char*, StatusColour) {}

const ReportSink kDefaultSink = {StderrError, NoAnswer, CancelAnswer, StderrInform, StderrError, NoStatus};
const ReportSink* g_sink = &kDefaultSink;

constexpr size_t kErrorTextLimit = 254;

}  // namespace

void SetReportSink(const ReportSink* sink) { g_sink = sink ? sink : &kDefaultSink; }

void ShowError(const char* text) {
    char cut[kErrorTextLimit + 1];
    strncpy(cut, text ? text : "", kErrorTextLimit);
    cut[kErrorTextLimit] = '\0';
    g_sink->error(cut);
}

void ShowErrorId(uint16_t id) { ShowError(MessageText(id)); }
bool Ask(const char* text) { return g_sink->ask(text); }
bool AskId(uint16_t id) { return Ask(MessageText(id)); }
AskAnswer AskYesNoCancel(const char* text) { return g_sink->ask_cancel(text); }
void Inform(const char* text) { g_sink->inform(text); }
void OutOfMemory() { g_sink->out_of_memory(MessageText(137)); }
void InternalError(int n) { ShowError(FormatText("InternalError %d", n)); }
void FileNotFound(const char* name) { ShowError(FormatText(MessageText(4036), name)); }
void BadFileName(const char* name) { ShowError(FormatText(MessageText(4069), name)); }
void StringNotFound() { Inform(MessageText(4066)); }
void ShowStatus(const char* text, StatusColour colour) { g_sink->status(text, colour); }
void ReportSystemFailure(const char* call, int error_code) {
    ShowError(FormatText("%s failed. Error code %d", call, error_code));
}
