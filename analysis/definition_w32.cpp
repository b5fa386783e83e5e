// "Definition of %s": the definition of the word at the caret, shown with the lines
// around it; "Go to" opens its file at its line.
#include <windows.h>

#include "analysis/analysis_commands_w32.h"
#include "analysis/analysis_views_w32.h"
#include "analysis/document_scan.h"
#include "analysis/message_ids.h"
#include "analysis/navigation.h"
#include "editor/edit_window_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

constexpr WORD kWhere = 101, kText = 102, kGoTo = 103;
constexpr uint16_t kMsgDefinitionOf = 4503;

INT_PTR CALLBACK DefinitionProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        const auto* d = reinterpret_cast<const DefinitionRecord*>(lparam);
        SetDlgItemTextA(dialog, kWhere, FormatText("%s(%d)", d->path.c_str(), d->line));
        SetDlgItemTextA(dialog, kText, d->text.c_str());
        SetFocus(GetDlgItem(dialog, kGoTo));  // not the text, which would come up selected
        return FALSE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == kGoTo || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void DefinitionCommand() {
    EditWindow* v = CurrentView();
    if (!v) return;
    const TextPosition& caret = v->cursor.caret;
    DefinitionQuery q;
    q.line = caret.number;
    if (!IsHead(v->cursor.doc, caret)) {
        q.word = WordAt(caret.line->text, caret.line->length, caret.column);
        q.call = CalledAt(caret.line->text, caret.line->length, caret.column);
    }
    const std::string& word = q.word;
    DefinitionRecord d;
    if (!FindDefinitionOf(v->cursor.doc, q, &d)) return;
    if (d.line == caret.number && _stricmp(d.path.c_str(), v->cursor.doc->name) == 0) {
        ShowError(FormatText(MessageText(kMsgNotFound), word.c_str()));
        return;
    }
    DialogTemplate t(FormatText(MessageText(kMsgDefinitionOf), word.c_str()), 300, 82);
    t.Label(7, 7, 286, 10, "", kWhere);
    t.Edit(7, 20, 286, 36, kText, ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL);
    t.Button(179, 62, 55, 14, kGoTo, "&Go to", true);
    t.Button(238, 62, 55, 14, IDCANCEL, "&Close");
    if (t.Run(DefinitionProc, reinterpret_cast<LPARAM>(&d)) == kGoTo) ShowDocumentLine(d.path.c_str(), d.line);
}
