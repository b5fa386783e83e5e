#include "project/default_project.h"

#include "analysis/function_index.h"
#include "analysis/source_lines.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

bool Fail(Project& p, const std::string& message) {
    ShowError(FormatText("%s\nImpossible to generate default project", message.c_str()));
    p = Project{};
    return false;
}

}  // namespace

bool DefaultProjectFromFile(const std::string& path, const std::string& text, const std::vector<std::string>& projects,
                            const ProjectEnvironment& env, Project& p) {
    p = Project{};
    std::string last = PathLastPart(path);
    size_t dot = last.rfind('.');
    if (dot == std::string::npos || dot == 0) return Fail(p, FormatText("No project name in %s", path.c_str()));
    std::string name = last.substr(0, dot);
    for (const std::string& existing : projects)
        if (SameTextNoCase(existing, name) || SameTextNoCase(PathLastPart(existing), name))
            return Fail(p, FormatText("A project with the name '%s' exists already", name.c_str()));
    FunctionIndex index;
    const Language* lang = LanguageForFileName(path.c_str());
    std::vector<std::string> lines = SplitLines(text);
    std::vector<LineView> views = ViewLines(lines);
    if (!lang || !ScanText(*lang, AsSource(views), path.c_str(), &index))
        return Fail(p, FormatText("No functions defined in %s", path.c_str()));
    uint32_t type = FindFunction(index, "main") ? kConsoleApp : FindFunction(index, "WinMain") ? kWindowsApp : 0;
    if (!type) return Fail(p, FormatText("Neither 'main' nor 'WinMain' defined in %s", path.c_str()));
    p.name = name;
    p.project_path = path.size() > last.size() ? path.substr(0, path.size() - last.size() - 1) : env.current_dir;
    p.sources_dir = p.project_path;
    p.compiler_flags = type | kDebugInfo;
    ProjectEnvironment here = env;
    here.current_dir = p.project_path;  // the current directory becomes the project's
    if (!DefaultMakeDefinition(p, here)) return Fail(p, FormatText("Impossible to create a project subdir in\n%s", p.project_path.c_str()));
    p.files = {UpperText(path)};
    return true;
}
