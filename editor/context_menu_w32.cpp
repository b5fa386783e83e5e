#include "editor/context_menu_w32.h"

#include <cctype>
#include <string>

#include "analysis/document_scan.h"
#include "analysis/language.h"
#include "shell/app_state_w32.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/settings_w32.h"

namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string WordAtCaret(const EditCursor& c) {
    if (IsHead(c.doc, c.caret) || c.caret.column >= c.caret.line->length) return {};
    const TextLine* line = c.caret.line;
    int start = c.caret.column, end = c.caret.column;
    if (!IsWordChar(line->text[start])) return {};
    while (start > 0 && IsWordChar(line->text[start - 1])) --start;
    while (end < line->length && IsWordChar(line->text[end])) ++end;
    return std::string(line->text + start, static_cast<size_t>(end - start));
}

void Add(HMENU menu, uint16_t text_id, UINT command, const char* argument = nullptr) {
    const char* text = argument ? FormatText(MessageText(text_id), argument) : MessageText(text_id);
    AppendMenuA(menu, MF_STRING, command, text);
}

void AddLanguageItems(HMENU menu, EditWindow* v) {
    TextDocument* doc = v->cursor.doc;
    const TextPosition& caret = v->cursor.caret;
    std::string word = WordAtCaret(v->cursor);
    const char* file = ShortFileName(doc->name);
    if (word.empty()) {
        char under = IsHead(doc, caret) ? 0 : caret.column < caret.line->length ? caret.line->text[caret.column] : 0;
        if (under == '{' || under == '}') Add(menu, 4512, 1116);
        Add(menu, 4506, 1193, file);
        Add(menu, 4507, 1168, file);
    } else if (IsKeyword(*doc->language, word.data(), static_cast<int>(word.size()))) {
        if (word == "case" || word == "switch" || word == "default") Add(menu, 4514, 1158);
    } else if (!std::isdigit(static_cast<unsigned char>(word[0]))) {
        const TextLine* line = caret.line;
        int i = 0;
        while (i < line->length && (line->text[i] == ' ' || line->text[i] == '\t')) ++i;
        if (line->length - i >= 3 && std::string(line->text + i, 3) == "#if") Add(menu, 4513, 1116);
        Add(menu, 4503, 1158, word.c_str());
        Add(menu, 4504, 1204, word.c_str());
        if (!g_config.win_help_data_base.empty()) Add(menu, 4505, 1258, word.c_str());
        if (g_app->debugging) Add(menu, 4559, 660, word.c_str());
    }
    if (const FunctionRecord* f = FunctionAtDocumentLine(doc, caret.number)) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        Add(menu, 4508, 1187, f->name.c_str());
        Add(menu, 4509, 1176, f->name.c_str());
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    Add(menu, 4510, 1179, file);
    Add(menu, 4509, 1183, file);
}

}  // namespace

void ShowEditorContextMenu(EditWindow* v, POINT screen) {
    DropSelection(&v->cursor);
    HMENU menu = CreatePopupMenu();
    if (v->cursor.doc->language) AddLanguageItems(menu, v);
    Add(menu, 4511, 1118);
    if (g_app->debugging) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        Add(menu, 4560, 300);
        Add(menu, 4561, 330);
        Add(menu, 4562, 3004);
        Add(menu, 4563, 3009);
    }
    UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, v->window, nullptr));
    DestroyMenu(menu);
    if (command) PostMessageA(g_app->frame, WM_COMMAND, command, -1);
}
