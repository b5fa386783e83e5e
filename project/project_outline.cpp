#include "project/project_outline.h"

#include <algorithm>

#include "project/project.h"

std::vector<FunctionGroup> GroupFunctions(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    size_t n = names.size();
    if (n < 8) return {FunctionGroup{"", names}};
    size_t size = n < 20 ? (n + 1) / 2 : n > 100 ? 17 : n > 50 ? 15 : 10;
    std::vector<FunctionGroup> groups;
    for (size_t start = 0; start < n; start += size) {
        FunctionGroup g;
        g.names.assign(names.begin() + static_cast<long>(start), names.begin() + static_cast<long>(std::min(n, start + size)));
        g.label = g.names.front() + " - " + g.names.back();
        groups.push_back(g);
    }
    return groups;
}

std::string ProjectFilePath(const std::string& file, const std::string& sources_dir) {
    return sources_dir.empty() ? file : PathMadeAbsolute(file, sources_dir);
}
