#include "config/config_lists.h"

#include "config/numbered_list.h"
#include "config/store.h"
#include "config/value_formats.h"

namespace {

// Value-name ids of the message table.
enum : uint16_t {
    kNumberOfUtilities = 262, kUtilNickname, kUtilProgname, kUtilProgArgs, kUtilStartDir, kUtilId,
    kLanguageName, kLanguageExtension, kLanguageStartFunction, kLanguageEndFunction, kLanguageCommentChar,
    kLanguageStringChars, kLanguageFlags, kLanguageKeywordCount, kLanguageKeywords,
};

int Count(const char* name) { return std::max(0, ReadInt(name, 0)); }

}  // namespace

void ReadAccelerators(std::vector<AcceleratorChange>& list) {
    ReadNumberedList("Accelerators", "Accel%d", ParseAccelerator, list);
}

bool WriteAccelerators(const std::vector<AcceleratorChange>& list) {
    return WriteNumberedList("Accelerators", "Accel%d", FormatAccelerator, list);
}

void ReadLanguages(std::vector<LanguageSetting>& list) {
    list.clear();
    int count = Count("Languages");
    for (int i = 1; i <= count; ++i) {
        LanguageSetting l;
        if (!ReadString(ValueNameById(kLanguageName, i).c_str(), l.name) || l.name.empty()) break;
        ReadString(ValueNameById(kLanguageExtension, i).c_str(), l.extension);
        ReadString(ValueNameById(kLanguageStartFunction, i).c_str(), l.start_function);
        ReadString(ValueNameById(kLanguageEndFunction, i).c_str(), l.end_function);
        ReadString(ValueNameById(kLanguageCommentChar, i).c_str(), l.comment_char);
        ReadString(ValueNameById(kLanguageStringChars, i).c_str(), l.string_chars);
        l.flags = ReadInt(ValueNameById(kLanguageFlags, i).c_str(), 1);
        std::string code;
        l.has_code = ReadString(NumberedName("Language%dCode", i).c_str(), code) && !code.empty();
        if (l.has_code) l.code = ReadInt(NumberedName("Language%dCode", i).c_str(), 0);
        int keywords = std::max(0, ReadInt(ValueNameById(kLanguageKeywordCount, i).c_str(), 0));
        int values = keywords / static_cast<int>(kKeywordsPerValue) + 1;
        std::string value;
        for (int v = 1; v <= values && static_cast<int>(l.keywords.size()) < keywords; ++v) {
            if (!ReadString(ValueNameById(kLanguageKeywords, i, v).c_str(), value) || value.empty()) break;
            UnpackKeywords(value, static_cast<size_t>(keywords), l.keywords);
        }
        list.push_back(l);
    }
}

bool WriteLanguages(const std::vector<LanguageSetting>& list) {
    if (!WriteInt("Languages", static_cast<long>(list.size()))) return false;
    for (size_t n = 0; n < list.size(); ++n) {
        const LanguageSetting& l = list[n];
        int i = static_cast<int>(n + 1);
        if (!WriteString(ValueNameById(kLanguageName, i).c_str(), l.name.c_str()) ||
            !WriteString(ValueNameById(kLanguageExtension, i).c_str(), l.extension.c_str()) ||
            !WriteString(ValueNameById(kLanguageStartFunction, i).c_str(), l.start_function.c_str()) ||
            !WriteString(ValueNameById(kLanguageEndFunction, i).c_str(), l.end_function.c_str()) ||
            !WriteString(ValueNameById(kLanguageCommentChar, i).c_str(), l.comment_char.c_str()) ||
            !WriteString(ValueNameById(kLanguageStringChars, i).c_str(), l.string_chars.c_str()) ||
            !WriteInt(ValueNameById(kLanguageFlags, i).c_str(), l.flags) ||
            (l.has_code && !WriteInt(NumberedName("Language%dCode", i).c_str(), l.code)) ||
            !WriteInt(ValueNameById(kLanguageKeywordCount, i).c_str(), static_cast<long>(l.keywords.size())))
            return false;
        std::vector<std::string> values = PackKeywords(l.keywords);
        for (size_t v = 0; v < values.size(); ++v)
            if (!WriteString(ValueNameById(kLanguageKeywords, i, static_cast<int>(v + 1)).c_str(), values[v].c_str()))
                return false;
        if (!l.icon.empty() && !WriteString(NumberedName("Language%dIcon", i).c_str(), l.icon.c_str())) return false;
    }
    return true;
}

void ReadMacros(std::vector<MacroSetting>& list) {
    constexpr size_t kCodeLength = 19;
    list.clear();
    int count = Count("Macros");
    for (int i = 1; i <= count; ++i) {
        MacroSetting m;
        int length = ReadInt(NumberedName("Macro%dLength", i).c_str(), 0);
        if (length <= 0) break;
        ReadString(NumberedName("Macro%dCode", i).c_str(), m.code);
        if (m.code.size() > kCodeLength) m.code.resize(kCodeLength);
        m.position = ReadInt(NumberedName("Macro%dPosition", i).c_str(), 0);
        std::string line;
        for (int l = 0; m.text.size() < static_cast<size_t>(length); ++l)
            if (!ReadString(NumberedName("Macro%dTextLine%d", i, l).c_str(), line) || line.empty() ||
                !DecodeMacroLine(line, static_cast<size_t>(length), m.text))
                break;
        list.push_back(m);
    }
}

bool WriteMacros(const std::vector<MacroSetting>& list) {
    if (!WriteInt("Macros", static_cast<long>(list.size()))) return false;
    for (size_t n = 0; n < list.size(); ++n) {
        const MacroSetting& m = list[n];
        int i = static_cast<int>(n + 1);
        if (!WriteString(NumberedName("Macro%dCode", i).c_str(), m.code.c_str()) ||
            !WriteInt(NumberedName("Macro%dPosition", i).c_str(), m.position) ||
            !WriteInt(NumberedName("Macro%dLength", i).c_str(), static_cast<long>(m.text.size())))
            return false;
        std::vector<std::string> lines = EncodeMacroLines(m.text);
        for (size_t l = 0; l < lines.size(); ++l)
            if (!WriteString(NumberedName("Macro%dTextLine%d", i, static_cast<int>(l)).c_str(), lines[l].c_str()))
                return false;
    }
    return true;
}

void ReadUtilities(std::vector<UtilitySetting>& list) {
    list.clear();
    int count = std::max(0, ReadInt(ValueNameById(kNumberOfUtilities).c_str(), 0));
    for (int i = 1; i <= count; ++i) {
        UtilitySetting u;
        if (!ReadString(ValueNameById(kUtilNickname, i).c_str(), u.nickname)) break;
        ReadString(ValueNameById(kUtilProgname, i).c_str(), u.progname);
        ReadString(ValueNameById(kUtilProgArgs, i).c_str(), u.prog_args);
        ReadString(ValueNameById(kUtilStartDir, i).c_str(), u.start_dir);
        ReadString(ValueNameById(kUtilId, i).c_str(), u.id);
        list.push_back(u);
    }
}

bool WriteUtilities(const std::vector<UtilitySetting>& list) {
    if (!WriteInt(ValueNameById(kNumberOfUtilities).c_str(), static_cast<long>(list.size()))) return false;
    for (size_t n = 0; n < list.size(); ++n) {
        const UtilitySetting& u = list[n];
        int i = static_cast<int>(n + 1);
        if (!WriteString(ValueNameById(kUtilNickname, i).c_str(), u.nickname.c_str()) ||
            !WriteString(ValueNameById(kUtilProgname, i).c_str(), u.progname.c_str()) ||
            !WriteString(ValueNameById(kUtilProgArgs, i).c_str(), u.prog_args.c_str()) ||
            !WriteString(ValueNameById(kUtilStartDir, i).c_str(), u.start_dir.c_str()) ||
            !WriteString(ValueNameById(kUtilId, i).c_str(), u.id.c_str()))
            return false;
    }
    return true;
}

void ReadOpenFiles(std::vector<OpenFileEntry>& list) { ReadNumberedList("OpenFiles", "OpenFile%d", ParseOpenFile, list); }

bool WriteOpenFiles(const std::vector<OpenFileEntry>& list) {
    return WriteNumberedList("OpenFiles", "OpenFile%d", FormatOpenFile, list);
}

bool WriteProjectList(const std::vector<std::string>& projects) {
    std::string (*as_text)(const std::string&) = [](const std::string& name) { return name; };
    return WriteNumberedList("Projects", "Project%d", as_text, projects);
}
