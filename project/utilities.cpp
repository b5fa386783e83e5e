#include "project/utilities.h"

#include <algorithm>

#include "editor/char_class.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

const UtilitySetting* FindUtility(const std::vector<UtilitySetting>& list, int id) {
    std::string text = std::to_string(id);
    auto found = std::find_if(list.begin(), list.end(), [&](const UtilitySetting& u) { return u.id == text; });
    return found == list.end() ? nullptr : &*found;
}

int ChangeOrAddUtility(std::vector<UtilitySetting>& list, UtilitySetting fields, bool* added) {
    *added = false;
    fields.nickname = fields.nickname.substr(0, kMaxUtilityNickname);
    for (std::string* text : {&fields.progname, &fields.prog_args, &fields.start_dir})
        *text = text->substr(0, kMaxUtilityText);
    if (fields.nickname.empty() || fields.progname.empty()) {
        ShowError("A utility needs a name in the menu bar and a program to start");
        return 0;
    }
    for (UtilitySetting& u : list)
        if (u.nickname == fields.nickname) {
            fields.id = u.id;
            u = fields;
            return std::atoi(u.id.c_str());
        }
    int id = FreeUtilityId(list);
    if (!id) {
        ShowError(FormatText("No more than %d utilities can be defined", kLastUtilityId - kFirstUtilityId + 1));
        return 0;
    }
    fields.id = std::to_string(id);
    list.insert(list.begin(), fields);
    *added = true;
    return id;
}

int DeleteUtility(std::vector<UtilitySetting>& list, const std::string& nickname) {
    auto found = std::find_if(list.begin(), list.end(), [&](const UtilitySetting& u) { return u.nickname == nickname; });
    if (found == list.end()) {
        ShowError(FormatText("Can't find utility %s", nickname.c_str()));
        return 0;
    }
    int id = std::atoi(found->id.c_str());
    list.erase(found);
    return id;
}

bool PrepareUtilityRun(const UtilitySetting& u, const MacroContext& context, UtilityRun& run) {
    std::string program, arguments;
    if (!ExpandMacros(u.progname, "", context, program)) return false;
    if (!ExpandMacros(u.prog_args, program, context, arguments)) return false;
    run.start_dir.clear();
    // A macro leaves a blank after itself, which no directory name keeps.
    if (!u.start_dir.empty() && !ExpandMacros(u.start_dir, program, context, run.start_dir)) return false;
    run.start_dir = WithoutTrailingBlanks(run.start_dir);
    run.command_line = program + " " + arguments;
    return true;
}

std::string WordAround(const char* text, int length, int column) {
    if (column < 0 || column > length) return "";
    int start = column, end = column;
    while (start > 0 && IsIdentifierChar(static_cast<unsigned char>(text[start - 1]))) --start;
    while (end < length && IsIdentifierChar(static_cast<unsigned char>(text[end]))) ++end;
    return std::string(text + start, static_cast<size_t>(end - start));
}
