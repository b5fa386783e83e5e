#pragma once
// The review of the CMS log: its revision-operation lines ("put", "get", "lock",
// "unlock", "del"), filtered by operation, user, module and month, in list columns.
#include <string>
#include <vector>

struct LogEntry {
    std::string operation, revision, user, date, module;  // date: of the operation
};

struct LogFilter {
    std::string operation = "*", user = "*", module = "*";  // "*": all
    int month = 0;                                           // 1 to 12; 0: all
};

// A revision-operation line of the log; false for any other line.
bool ParseLogLine(const std::string& line, LogEntry& entry);
bool LogEntryMatches(const LogEntry& entry, const LogFilter& filter);
// Operation and revision padded to 7, user, date as "%2d %9s%3d,%2d:%2d:%2d", module.
std::string FormatLogEntry(const LogEntry& entry);

struct LogReview {
    std::vector<std::string> lines;  // the selected entries, formatted
    int total = 0;                   // revision-operation lines in the log
};

LogReview ReviewLog(const std::string& log_text, const LogFilter& filter);
// "%d operations selected, %d operations in log file"
std::string LogReviewCounter(const LogReview& review);

// "January" to "December" for 1 to 12, else "".
const char* MonthName(int month);
// The column headings of the list.
inline constexpr const char* kLogReviewHeadings[] = {"Operations", " Versions", "     Users", "  Date", "      Module"};
