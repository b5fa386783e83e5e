#include "tests/support/recorded_reports.h"

namespace {

RecordedReports* g_current = nullptr;

AskAnswer NextAnswer(const char* text, AskAnswer fallback) {
    g_current->questions.emplace_back(text);
    if (g_current->answers.empty()) return fallback;
    AskAnswer a = g_current->answers.front();
    g_current->answers.pop_front();
    return a;
}

const ReportSink kRecordingSink = {
    [](const char* t) { g_current->errors.emplace_back(t); },
    [](const char* t) { return NextAnswer(t, AskAnswer::No) == AskAnswer::Yes; },
    [](const char* t) { return NextAnswer(t, AskAnswer::Cancel); },
    [](const char* t) { g_current->informs.emplace_back(t); },
    [](const char* t) { g_current->errors.emplace_back(t); },
    [](const char* t, StatusColour) { g_current->statuses.emplace_back(t); },
};

}  // namespace

RecordedReports::RecordedReports() {
    g_current = this;
    SetReportSink(&kRecordingSink);
}

RecordedReports::~RecordedReports() {
    SetReportSink(nullptr);
    g_current = nullptr;
}
