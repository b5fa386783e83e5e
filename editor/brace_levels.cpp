#include "editor/brace_levels.h"

#include <string>

#include "editor/struct_members.h"

namespace {

bool g_shown;

}  // namespace

std::vector<int> BraceLevels(const TextDocument* doc, int first, int count) {
    std::vector<std::string> lines;
    int last = first + count - 1;
    for (const TextLine* l = FirstLine(doc); l && static_cast<int>(lines.size()) < last; l = NextLine(doc, l))
        lines.emplace_back(l->text, static_cast<size_t>(l->length));
    std::vector<int> levels;
    int depth = 0, line = 1;
    std::vector<CToken> tokens = TokenizeC(lines);
    size_t t = 0;
    for (; line <= static_cast<int>(lines.size()); ++line) {
        for (; t < tokens.size() && tokens[t].line < line; ++t) {
            if (tokens[t].text == "{") ++depth;
            else if (tokens[t].text == "}" && depth > 0) --depth;
        }
        if (line >= first) levels.push_back(depth);
    }
    return levels;
}

bool BraceLevelsShown() { return g_shown; }
void ToggleBraceLevels() { g_shown = !g_shown; }
