#include "cms/log_review.h"

#include <cstdlib>
#include <sstream>

#include "cms/text_file.h"
#include "shell/format_buffer.h"

namespace {

constexpr size_t kDateFieldChars = 8;

bool IsRevisionOperation(const std::string& op) {
    return op == "put" || op == "get" || op == "lock" || op == "unlock" || op == "del";
}

// Cuts the one-letter tag the log puts after a field ("1.2r", "2026.1.2.3.4.5o").
bool Untag(std::string& field, char tag) {
    if (field.size() < 2 || field.back() != tag) return false;
    field.pop_back();
    return true;
}

// The six date fields, each read from at most 8 characters; missing ones are 0.
void DateFields(const std::string& date, int fields[6]) {
    size_t at = 0;
    for (int i = 0; i < 6; ++i) {
        size_t end = date.find('.', at);
        std::string field = at < date.size() ? date.substr(at, std::min(end, date.size()) - at) : "";
        fields[i] = atoi(field.substr(0, kDateFieldChars).c_str());
        at = end == std::string::npos ? date.size() : end + 1;
    }
}

bool Matches(const std::string& pattern, const std::string& value) { return pattern == "*" || pattern == value; }

}  // namespace

const char* MonthName(int month) {
    static const char* const names[] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
    return month >= 1 && month <= 12 ? names[month - 1] : "";
}

bool ParseLogLine(const std::string& line, LogEntry& e) {
    // "%s %10sr %3db %3df %3dt %sc %so %s %s"
    std::istringstream in(line);
    std::string op, revision, trunk, branch, total, revision_date, date, user, module, extra;
    if (!(in >> op >> revision >> trunk >> branch >> total >> revision_date >> date >> user >> module) || (in >> extra))
        return false;
    if (!IsRevisionOperation(op) || !Untag(revision, 'r') || !Untag(trunk, 'b') || !Untag(branch, 'f') ||
        !Untag(total, 't') || !Untag(revision_date, 'c') || !Untag(date, 'o'))
        return false;
    e = {op, revision, user, date, module};
    return true;
}

bool LogEntryMatches(const LogEntry& e, const LogFilter& f) {
    int fields[6];
    DateFields(e.date, fields);
    return Matches(f.operation, e.operation) && Matches(f.user, e.user) && Matches(f.module, e.module) &&
           (f.month == 0 || f.month == fields[1]);
}

std::string FormatLogEntry(const LogEntry& e) {
    int d[6];
    DateFields(e.date, d);
    std::string date = FormatText("%2d %9s%3d,%2d:%2d:%2d", d[2], MonthName(d[1]), d[0] - 1900, d[3], d[4], d[5]);
    return FormatText("%-7s %-7s %10s  %s  %s", e.operation.c_str(), e.revision.c_str(), e.user.c_str(), date.c_str(),
                      e.module.c_str());
}

LogReview ReviewLog(const std::string& text, const LogFilter& filter) {
    LogReview review;
    for (std::string_view view : SplitLines(text)) {
        std::string line(view);
        LogEntry e;
        if (!ParseLogLine(line, e)) continue;
        ++review.total;
        if (LogEntryMatches(e, filter)) review.lines.push_back(FormatLogEntry(e));
    }
    return review;
}

std::string LogReviewCounter(const LogReview& r) {
    return FormatText("%d operations selected, %d operations in log file", int(r.lines.size()), r.total);
}
