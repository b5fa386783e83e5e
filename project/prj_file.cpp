#include "project/prj_file.h"

#include <cctype>

#include "config/store.h"
#include "editor/safe_file.h"
#include "project/project.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

// Values of a section that the export carries, counted families first by their count.
struct Family {
    const char* count;
    const char* item;
};
const char* const kSingleValues[] = {
    "Frame", "StatusBar", "Name", "CurrentFile", "ProjectPath", "SourcesDir", "Defines", "Includes",
    "Libraries", "LinkerArgs", "CompilerFlags", "ProjectFlags", "FortranFlags", "EiffelFlags", "ErrorFile",
    "MakeName", "MakeArgs", "MakeDir", "Exe", "DebuggerArguments", "DbgExeName", "DbgDir", "CmsDirectory",
    "PutOptions", "GetOptions", "FileOptions", "LockOptions", "UsersOptions", "UserName", "ManagerID"};
const Family kFamilies[] = {{"OpenFiles", "OpenFile%d"},
                            {"NumberOfBreakpoints", "BreakPoint%d"},
                            {"NrOfFileProcessors", "FileProcessor%d"},
                            {"UserCount", "User%d"}};

std::string Numbered(const char* pattern, int a, int b = 0) {
    char name[64];
    FormatInto(name, sizeof name, pattern, a, b);
    return name;
}

// Appends "name<TAB>text"; false for a text with a line end, which the file cannot carry.
bool Emit(std::string& text, const std::string& name) {
    std::string value;
    if (!ReadString(name.c_str(), value)) return true;
    text += name + "\t" + value + "\n";
    return value.find_first_of("\r\n") == std::string::npos;
}

bool DamagedAt(const std::string& source, int line) {
    ShowError(FormatText("The project file %s is damaged or truncated at line %d", source.c_str(), line));
    return false;
}

}  // namespace

bool ExportProjectText(const std::string& name, std::string& text) {
    if (!OpenStore(name.c_str(), false)) {
        ShowError(FormatText("Impossible to open project %s", name.c_str()));
        return false;
    }
    text = kPrjHeader;
    text += kPrjKeyPrefix + name + "\n";
    bool ok = true;
    for (const char* v : kSingleValues) ok &= Emit(text, v);
    for (const Family& f : kFamilies) {
        ok &= Emit(text, f.count);
        int n = ReadInt(f.count, 0);
        for (int i = 1; i <= n; ++i) ok &= Emit(text, Numbered(f.item, i));
    }
    ok &= Emit(text, "PrjFiles");
    int files = ReadInt("PrjFiles", 0);
    for (int i = 1; i <= files; ++i) {
        ok &= Emit(text, Numbered("File%d", i));
        std::string count = Numbered("File%dDependencies", i);
        ok &= Emit(text, count);
        int m = ReadInt(count.c_str(), 0);
        for (int j = 1; j <= m; ++j) ok &= Emit(text, Numbered("File%dDependencies%d", i, j));
    }
    CloseStore();
    if (!ok) ShowError(FormatText("A value of project %s holds a line end and cannot be exported", name.c_str()));
    return ok;
}

bool ExportProject(const std::string& name, const std::string& dir, std::string* written) {
    std::string text, path = LowerText(PathJoin(dir, name + ".prj"));
    SafeFile f;
    bool ok = ExportProjectText(name, text) && OpenSafeFile(&f, path.c_str());
    if (ok && !(WriteSafeFile(&f, text.data(), text.size()) && CommitSafeFile(&f))) {
        AbandonSafeFile(&f);
        ok = false;
    }
    if (!ok) {
        ShowError(FormatText("Impossible to export project %s", name.c_str()));
        return false;
    }
    if (written) *written = path;
    Inform(FormatText("Project %s exported into file:\n%s", name.c_str(), path.c_str()));
    return true;
}

bool ParsePrjFile(const std::string& bytes, const std::string& source, PrjFile& prj) {
    prj = PrjFile{};
    // Text mode on the writer's side: accept CR LF as well as LF.
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            lines.back() += '\0';  // marks a line without its line end
            break;
        }
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    std::string header(kPrjHeader);
    header.pop_back();
    if (lines.empty() || lines[0] != header) {
        ShowError("This file is not a Morla project file");
        return false;
    }
    for (size_t i = 1; i < lines.size(); ++i)
        if (!lines[i].empty() && lines[i].back() == '\0') return DamagedAt(source, static_cast<int>(i + 1));
    if (lines.size() < 2) return DamagedAt(source, 2);
    const std::string& key = lines[1];
    std::string prefix(kPrjKeyPrefix);
    if (key.size() <= prefix.size() || !SameTextNoCase(key.substr(0, prefix.size()), prefix)) {
        ShowError(FormatText("The project file %s names no project of Morla:\n%s", source.c_str(), key.c_str()));
        return false;
    }
    prj.name = key.substr(prefix.size());
    if (!CheckProjectName(prj.name)) return false;
    for (size_t i = 2; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        size_t end = line.find_first_of(" \t");
        if (line.empty() || end == 0 || end == std::string::npos) return DamagedAt(source, static_cast<int>(i + 1));
        size_t text = line.find_first_not_of(" \t", end);
        prj.values.emplace_back(line.substr(0, end), text == std::string::npos ? std::string() : line.substr(text));
    }
    return true;
}

std::vector<std::pair<std::string, std::string>> RelocateValues(const PrjFile& prj, const std::string& location) {
    std::string place = UpperText(location);
    bool has_drive = place.size() >= 2 && std::isalpha(static_cast<unsigned char>(place[0])) && place[1] == ':';
    char new_drive = has_drive ? place[0] : 0, old_drive = 0;
    for (const char* first : {"ProjectPath", "SourcesDir"})
        for (const auto& [name, text] : prj.values)
            if (!old_drive && name == first && !text.empty()) old_drive = static_cast<char>(std::toupper(text[0]));

    auto values = prj.values;
    for (auto& [name, text] : values) {
        if (name == "ProjectPath" || name == "SourcesDir") {
            text = place;
        } else if (name == "MakeDir") {
            text = PathJoin(place, PathLastPart(text));
        } else if (name == "Includes" && new_drive) {
            text = UpperText(text);
            for (size_t k = 3; k + 1 < text.size(); ++k)
                if (text[k] == ':' && text[k + 1] == '\\' && text[k - 1] == old_drive) text[k - 1] = new_drive;
        }
        if (new_drive && text.size() >= 3 && text[1] == ':' && text[2] == '\\') text[0] = new_drive;
    }
    return values;
}

bool ImportPrjFile(const PrjFile& prj, const std::string& location, const std::vector<std::string>& existing) {
    for (const std::string& name : existing)
        if (SameTextNoCase(name, prj.name)) {
            ShowError(FormatText("A project with name \"%s\" is already defined", prj.name.c_str()));
            return false;
        }
    if (!OpenStore(prj.name.c_str(), false)) return false;
    bool ok = true;
    for (const auto& [name, text] : RelocateValues(prj, location))
        if (!(ok = WriteString(name.c_str(), text.c_str()))) break;
    CloseStore();
    if (!ok) DeleteSection(prj.name.c_str());  // no half-imported project stays behind
    return ok;
}
