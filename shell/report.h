#pragma once
// The message functions through which every Part reports to the user. The core calls
// these; the Win32 layer installs message boxes and the status line, tests install a
// recording sink.
#include <cstdint>

enum class AskAnswer { Yes, No, Cancel };
enum class StatusColour { Navy, Red };

struct ReportSink {
    void (*error)(const char* text);               // stop icon, title "Error"
    bool (*ask)(const char* text);                 // Yes/No, title "Information"
    AskAnswer (*ask_cancel)(const char* text);     // Yes/No/Cancel, title "Information"
    void (*inform)(const char* text);              // information icon, title "Information"
    void (*out_of_memory)(const char* text);       // stop icon, no title
    void (*status)(const char* text, StatusColour colour);  // output window status line
};

// Installs the sink; null restores the silent default (errors go to stderr).
void SetReportSink(const ReportSink* sink);

void ShowError(const char* text);  // cut at 254 characters
void ShowErrorId(uint16_t id);
bool Ask(const char* text);
bool AskId(uint16_t id);
AskAnswer AskYesNoCancel(const char* text);
void Inform(const char* text);
void OutOfMemory();
void InternalError(int n);
void FileNotFound(const char* name);
void BadFileName(const char* name);
void StringNotFound();
void ShowStatus(const char* text, StatusColour colour = StatusColour::Navy);

// "%s failed. Error code %d" for a failed system call.
void ReportSystemFailure(const char* call, int error_code);
