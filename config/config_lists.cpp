#include "config/config_lists.h"

#include "config/store.h"
#include "config/value_formats.h"
#include "shell/format_buffer.h"

namespace {

// Value-name ids of the message table.
enum : uint16_t {
    kNumberOfUtilities = 262, kUtilNickname, kUtilProgname, kUtilProgArgs, kUtilStartDir, kUtilId,
    kLanguageName, kLanguageExtension, kLanguageStartFunction, kLanguageEndFunction, kLanguageCommentChar,
    kLanguageStringChars, kLanguageFlags, kLanguageKeywordCount, kLanguageKeywords,
};

std::string Name(const char* pattern, int n, int m = 0) {
    char name[64];
    FormatInto(name, sizeof name, pattern, n, m);
    return name;
}

int Count(const char* name) { return std::max(0, ReadInt(name, 0)); }

}  // namespace

void ReadAccelerators(std::vector<AcceleratorChange>& list) {
    list.clear();
    int count = Count("Accelerators");
    std::string text;
    for (int i = 1; i <= count && ReadString(Name("Accel%d", i).c_str(), text); ++i) {
        AcceleratorChange change;
        if (ParseAccelerator(text, change)) list.push_back(change);
    }
}

bool WriteAccelerators(const std::vector<AcceleratorChange>& list) {
    if (!WriteInt("Accelerators", static_cast<long>(list.size()))) return false;
    for (size_t i = 0; i < list.size(); ++i)
        if (!WriteString(Name("Accel%d", static_cast<int>(i + 1)).c_str(), FormatAccelerator(list[i]).c_str()))
            return false;
    return true;
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
        l.has_code = ReadString(Name("Language%dCode", i).c_str(), code) && !code.empty();
        if (l.has_code) l.code = ReadInt(Name("Language%dCode", i).c_str(), 0);
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
            (l.has_code && !WriteInt(Name("Language%dCode", i).c_str(), l.code)) ||
            !WriteInt(ValueNameById(kLanguageKeywordCount, i).c_str(), static_cast<long>(l.keywords.size())))
            return false;
        std::vector<std::string> values = PackKeywords(l.keywords);
        for (size_t v = 0; v < values.size(); ++v)
            if (!WriteString(ValueNameById(kLanguageKeywords, i, static_cast<int>(v + 1)).c_str(), values[v].c_str()))
                return false;
        if (!l.icon.empty() && !WriteString(Name("Language%dIcon", i).c_str(), l.icon.c_str())) return false;
    }
    return true;
}

void ReadMacros(std::vector<MacroSetting>& list) {
    constexpr size_t kCodeLength = 19;
    list.clear();
    int count = Count("Macros");
    for (int i = 1; i <= count; ++i) {
        MacroSetting m;
        int length = ReadInt(Name("Macro%dLength", i).c_str(), 0);
        if (length <= 0) break;
        ReadString(Name("Macro%dCode", i).c_str(), m.code);
        if (m.code.size() > kCodeLength) m.code.resize(kCodeLength);
        m.position = ReadInt(Name("Macro%dPosition", i).c_str(), 0);
        std::string line;
        for (int l = 0; m.text.size() < static_cast<size_t>(length); ++l)
            if (!ReadString(Name("Macro%dTextLine%d", i, l).c_str(), line) || line.empty() ||
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
        if (!WriteString(Name("Macro%dCode", i).c_str(), m.code.c_str()) ||
            !WriteInt(Name("Macro%dPosition", i).c_str(), m.position) ||
            !WriteInt(Name("Macro%dLength", i).c_str(), static_cast<long>(m.text.size())))
            return false;
        std::vector<std::string> lines = EncodeMacroLines(m.text);
        for (size_t l = 0; l < lines.size(); ++l)
            if (!WriteString(Name("Macro%dTextLine%d", i, static_cast<int>(l)).c_str(), lines[l].c_str()))
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

void ReadOpenFiles(std::vector<OpenFileEntry>& list) {
    list.clear();
    int count = Count("OpenFiles");
    std::string text;
    for (int i = 1; i <= count && ReadString(Name("OpenFile%d", i).c_str(), text); ++i) {
        OpenFileEntry entry;
        if (ParseOpenFile(text, entry)) list.push_back(entry);
    }
}

bool WriteOpenFiles(const std::vector<OpenFileEntry>& list) {
    if (!WriteInt("OpenFiles", static_cast<long>(list.size()))) return false;
    for (size_t i = 0; i < list.size(); ++i)
        if (!WriteString(Name("OpenFile%d", static_cast<int>(i + 1)).c_str(), FormatOpenFile(list[i]).c_str()))
            return false;
    return true;
}

bool WriteProjectList(const std::vector<std::string>& projects) {
    if (!WriteInt("Projects", static_cast<long>(projects.size()))) return false;
    for (size_t i = 0; i < projects.size(); ++i)
        if (!WriteString(Name("Project%d", static_cast<int>(i + 1)).c_str(), projects[i].c_str())) return false;
    return true;
}
