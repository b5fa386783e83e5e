#include "project/wizard.h"

#include "shell/format_buffer.h"

std::string WizardCommandLine(unsigned frame, const Project& p, const std::string& result_file) {
    std::string line = FormatText("wizard.exe /morla:%u /prjname:%s /prjpath:%s /out:%s", frame, p.name.c_str(),
                                  p.project_path.c_str(), result_file.c_str());
    if (IsDll(p)) line += " /dll";
    else if (IsConsole(p)) line += " /console";
    return line;
}

bool ApplyWizardResult(const std::string& text, Project& p) {
    std::string bytes = text.substr(0, 8192);
    bool added = false;
    size_t start = 0;
    for (int n = 0; n < 3; ++n) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) break;
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        size_t value_start = line.find_first_not_of(' ', colon + 1);
        std::string value = value_start == std::string::npos ? std::string() : line.substr(value_start);
        if (value.empty()) continue;
        if (n == 0) {
            p.name = value;
            continue;
        }
        const std::string& root = p.project_path;
        if (!root.empty() && value.size() > root.size() && SameTextNoCase(value.substr(0, root.size()), root)) {
            value = value.substr(root.size());
            if (!value.empty() && value[0] == '\\') value = value.substr(1);
        }
        AddFileToProject(p, value);
        added = true;
    }
    return added;
}
