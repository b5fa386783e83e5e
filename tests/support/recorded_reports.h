#pragma once
// Captures what the core reports to the user, and answers its questions, for one test.
#include <deque>
#include <string>
#include <vector>

#include "shell/report.h"

struct RecordedReports {
    std::vector<std::string> errors, questions, informs, statuses;
    std::deque<AskAnswer> answers;  // consumed by questions; empty means No / Cancel

    RecordedReports();
    ~RecordedReports();
    RecordedReports(const RecordedReports&) = delete;
    RecordedReports& operator=(const RecordedReports&) = delete;

    bool Quiet() const { return errors.empty() && informs.empty(); }
};
