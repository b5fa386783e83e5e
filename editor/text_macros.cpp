#include "editor/text_macros.h"

#include <cctype>

#include "editor/edit_typing.h"
#include "editor/undo_journal.h"

namespace {

std::vector<TextMacro> g_macros;

char Letter(const TextMacro& m) { return m.code.empty() ? 0 : m.code[0]; }

}  // namespace

std::vector<TextMacro>& Macros() { return g_macros; }

void LoadMacros(const Configuration& config) {
    g_macros.clear();
    for (const MacroSetting& m : config.macros) DefineMacro(g_macros, m);
}

void SaveMacros(Configuration& config) { config.macros = g_macros; }

const TextMacro* FindMacro(char letter) {
    char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const TextMacro& m : g_macros)
        if (Letter(m) == letter || Letter(m) == upper) return &m;
    return nullptr;
}

void DefineMacro(std::vector<TextMacro>& list, const TextMacro& macro) {
    for (TextMacro& m : list)
        if (Letter(m) == Letter(macro)) {
            m.text = macro.text;
            m.position = macro.position;
            return;
        }
    list.push_back(macro);
}

bool RemoveMacro(std::vector<TextMacro>& list, char letter) {
    return std::erase_if(list, [letter](const TextMacro& m) { return Letter(m) == letter; }) > 0;
}

bool InsertMacro(EditCursor* c, const TextMacro& macro) {
    DropSelection(c);
    JournalBegin(c, kJournalTyped, static_cast<unsigned char>(Letter(macro)));
    // Walk from the start by the position, counting a line end as one character.
    int start_number = c->caret.number, start_column = c->caret.column;
    bool ok = InsertTextAtCaret(c, macro.text, c->auto_indent);
    JournalEnd();
    TextPosition p = PositionNear(c->doc, c->caret, start_number, start_column);
    for (int i = 0; i < macro.position && StepRight(c->doc, &p); ++i) {
    }
    c->caret = p;
    return ok;
}
