#include "tools/grep_dialog.h"

#include <filesystem>

#include "analysis/language.h"
#include "editor/char_class.h"
#include "editor/search_history.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace fs = std::filesystem;

namespace {

std::string WithoutTrailingSeparator(std::string directory) {
    while (directory.size() > 1 && (directory.back() == '\\' || directory.back() == '/') &&
           directory[directory.size() - 2] != ':')
        directory.pop_back();
    return directory;
}

}  // namespace

GrepDialogFields GrepDialogStart(const GrepParameters& last, const std::string& current_directory) {
    GrepDialogFields fields;
    fields.expression = last.text;
    fields.masks = last.masks.empty() ? "*.c *.h" : last.masks;
    fields.directory = current_directory;
    fields.regular_expression = last.flags & kGrepRegularExpression;
    fields.ignore_case = !(last.flags & kGrepMatchCase);
    fields.whole_words = last.flags & kGrepWholeWords;
    fields.multiple = last.flags & kGrepMultiple;
    fields.subdirectories = last.flags & kGrepSubdirectories;
    return fields;
}

bool AcceptGrepDialog(const GrepDialogFields& fields, GrepParameters* params, GrepHistory* history) {
    if (fields.masks.find_first_not_of(' ') == std::string::npos) {
        ShowError("No files specified");
        return false;
    }
    if (fields.expression.empty()) {
        ShowErrorId(1214);
        return false;
    }
    std::string directory = WithoutTrailingSeparator(fields.directory);
    std::error_code ec;
    if (directory.empty() || !fs::is_directory(directory, ec)) {
        ShowError(FormatText(MessageText(4380), directory.c_str()));
        return false;
    }
    fs::path full = fs::absolute(directory, ec);
    if (!ec) directory = WithoutTrailingSeparator(full.lexically_normal().string());
    AddToHistory(&history->texts, fields.expression);
    AddToHistory(&history->directories, directory);

    params->text = fields.expression.substr(0, kGrepExpressionLimit);
    params->masks = fields.masks.substr(0, kGrepMaskLimit);
    params->directory = directory;
    uint16_t flags = 0;
    if (!fields.ignore_case) flags |= kGrepMatchCase;
    if (fields.regular_expression) flags |= kGrepRegularExpression;
    if (fields.whole_words) flags |= kGrepWholeWords;
    if (fields.subdirectories) flags |= kGrepSubdirectories;
    if (fields.multiple) flags = (flags | kGrepMultiple) & ~(kGrepMatchCase | kGrepWholeWords);
    params->flags = flags;
    return true;
}

std::string IdentifierAtCursor(const char* line, int length, int column) {
    if (column < 0 || column >= length || !IsIdentifierChar(line[column])) return "";
    int start = column, end = column;
    while (start > 0 && IsIdentifierChar(line[start - 1])) --start;
    while (end < length && IsIdentifierChar(line[end])) ++end;
    if (IsKeywordIn(CKeywords(), line + start, end - start)) return "";
    return std::string(line + start, end - start).substr(0, kGrepExpressionLimit);
}
