#include "editor/view_commands_w32.h"

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "editor/bookmarks.h"
#include "editor/brace_levels.h"
#include "editor/choice_list_w32.h"
#include "editor/edit_clipboard.h"
#include "editor/edit_motion.h"
#include "editor/edit_window_w32.h"
#include "editor/text_tabs.h"
#include "editor/undo_journal.h"
#include "shell/app_state_w32.h"
#include "shell/dispatch.h"
#include "shell/frame_w32.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

int g_untitled;

int Rows(EditWindow* v) {
    RECT r;
    GetClientRect(v->window, &r);
    TEXTMETRICA tm{};
    HDC dc = GetDC(v->window);
    HGDIOBJ old = SelectObject(dc, g_app->editor_font ? g_app->editor_font : GetStockObject(ANSI_FIXED_FONT));
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(v->window, dc);
    int rows = r.bottom / (tm.tmHeight + tm.tmExternalLeading > 0 ? tm.tmHeight + tm.tmExternalLeading : 16);
    return rows < 2 ? 2 : rows;
}

// Runs an operation on the current view, beeping when it could not act, then repaints.
template <typename Operation>
void OnView(Operation operation) {
    EditWindow* v = CurrentView();
    if (!v) return;
    if (!operation(v)) MessageBeep(MB_OK);
    v->repaint_flags |= kRepaintAll;
    RefreshView(v);
}

void Select(Motion motion, int count = 1) {
    OnView([=](EditWindow* v) { return ExtendSelection(&v->cursor, motion, count == 0 ? Rows(v) : count); });
}

void GoToBookmark(const Bookmark* b) {
    if (!b) {
        MessageBeep(MB_OK);
        return;
    }
    EditWindow* view = nullptr;
    for (EditWindow* v = FirstView(); v; v = v->next)
        if (v->cursor.doc == b->doc && (!view || v->window == b->view)) view = v;
    if (!view) return;
    SendMessageA(g_app->mdi_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(view->window), 0);
    int number = LineNumber(b->doc, b->line);
    if (number > 0) EditorGoToLine(number);
}

// Dialog 6200: the bookmarks, newest first; -1 when cancelled or there are none.
int ChooseBookmark() {
    std::vector<std::string> labels;
    for (int i = 0; i < BookmarkCount(); ++i) labels.push_back(BookmarkLabel(*BookmarkAt(i)));
    return ChooseFromList("Bookmarks", labels);
}

void NewFile() {
    char name[32];
    do wsprintfA(name, "untitled%d", ++g_untitled);
    while (FindDocument(name, false));
    OpenEditorWindow(name, false);
}

void OpenFile() {
    char name[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = g_app->frame;
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ofn.lpstrFilter = "Sources\0*.c;*.h;*.cpp;*.f;*.pas;*.asm;*.e\0All files\0*.*\0";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameA(&ofn)) OpenNamedFile(name, false);
}

void Save() {
    EditWindow* v = CurrentView();
    if (!v) return;
    SaveDocument(v->cursor.doc);
    RefreshView(v);
}

void Undo() {
    OnView([](EditWindow* v) { return Undo(&v->cursor); });
}

void Cut() {
    OnView([](EditWindow* v) {
        if (!CopySelection(&v->cursor)) return false;
        PublishClipboard();
        return DeleteSelection(&v->cursor);
    });
}

void Paste() {
    TakeSystemClipboard();
    OnView([](EditWindow* v) { return PasteClipboard(&v->cursor); });
}

}  // namespace

void EditorCopy() {
    EditWindow* v = CurrentView();
    if (v && CopySelection(&v->cursor)) PublishClipboard();
}

void EditorTop() {
    OnView([](EditWindow* v) {
        DropSelection(&v->cursor);
        return MoveCaret(&v->cursor, Motion::Top);
    });
}

void EditorEnd() {
    OnView([](EditWindow* v) {
        DropSelection(&v->cursor);
        return MoveCaret(&v->cursor, Motion::Bottom);
    });
}

bool EditorGoToLine(int number) {
    EditWindow* v = CurrentView();
    if (!v || number < 1) return false;
    DropSelection(&v->cursor);
    GoToLine(&v->cursor, number);
    v->repaint_flags |= kRepaintAll;
    RefreshView(v);
    return true;
}

void EditorSetBookmark() {
    EditWindow* v = CurrentView();
    if (!v || IsHead(v->cursor.doc, v->cursor.caret)) {
        MessageBeep(MB_OK);
        return;
    }
    SetBookmark(v->cursor.doc, v->cursor.caret.line, v->window, 0);
    v->repaint_flags |= kRepaintAll;
    RefreshView(v);
}

void EditorCopyToFile() {
    if (ClipboardText().empty()) {
        ShowStatus(MessageText(4566), StatusColour::Red);
        return;
    }
    char name[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = g_app->frame;
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (GetSaveFileNameA(&ofn)) WriteClipboardToFile(name);
}

void EditorToggleBraceLevels() {
    ToggleBraceLevels();
    CheckMenuItem(g_app->main_menu, 1220, MF_BYCOMMAND | (BraceLevelsShown() ? MF_CHECKED : MF_UNCHECKED));
    for (EditWindow* v = FirstView(); v; v = v->next) {
        v->repaint_flags |= kRepaintAll;
        RefreshView(v);
    }
}

void RunViewCommand(uint16_t command) {
    switch (command) {
        case 1112: EditorCopy(); return;
        case 1121: EditorTop(); return;
        case 1122: EditorEnd(); return;
        case 1123: EditorGoToLineDialog(); return;
        case 1126: EditorCopyToFile(); return;
        case 1142: EditorSetBookmark(); return;
        case 1220: EditorToggleBraceLevels(); return;
        default: DispatchCommand(g_app->frame, command, 0); return;
    }
}

void InstallViewCommands() {
    SetCommandHandler(1101, NewFile);
    SetCommandHandler(1102, OpenFile);
    SetCommandHandler(1127, OpenFile);
    SetCommandHandler(1103, Save);
    SetCommandHandler(1110, Undo);
    SetCommandHandler(1111, Cut);
    SetCommandHandler(1113, Paste);
    SetCommandHandler(1114, [] { SetClipboardText(""); });
    SetCommandHandler(1115, [] { Select(Motion::Down); });
    SetCommandHandler(1153, [] { Select(Motion::Up); });
    SetCommandHandler(1154, [] { Select(Motion::Right); });
    SetCommandHandler(1155, [] { Select(Motion::Left); });
    SetCommandHandler(1165, [] { Select(Motion::WordRight); });
    SetCommandHandler(1272, [] { Select(Motion::WordLeft); });
    SetCommandHandler(1171, [] { Select(Motion::Top); });
    SetCommandHandler(1172, [] { Select(Motion::Bottom); });
    SetCommandHandler(1188, [] { Select(Motion::LineEnd); });
    SetCommandHandler(1199, [] { Select(Motion::LineStart); });
    SetCommandHandler(1211, [] { Select(Motion::PageUp, 0); });
    SetCommandHandler(1212, [] { Select(Motion::PageDown, 0); });
    SetCommandHandler(1163, [] { OnView([](EditWindow* v) { DropSelection(&v->cursor); return MoveCaret(&v->cursor, Motion::WordRight); }); });
    SetCommandHandler(1164, [] { OnView([](EditWindow* v) { DropSelection(&v->cursor); return MoveCaret(&v->cursor, Motion::WordLeft); }); });
    SetCommandHandler(1116, [] { OnView([](EditWindow* v) { return GoToMatchingBrace(&v->cursor); }); });
    SetCommandHandler(1170, [] { OnView([](EditWindow* v) { return MarkBlock(&v->cursor); }); });
    SetCommandHandler(1189, [] { OnView([](EditWindow* v) { ConvertSpacesToTabs(&v->cursor); return true; }); });
    SetCommandHandler(1190, [] { OnView([](EditWindow* v) { ConvertTabsToSpaces(&v->cursor); return true; }); });
    SetCommandHandler(1191, [] { OnView([](EditWindow* v) { CentreCaret(&v->cursor, Rows(v)); return true; }); });
    SetCommandHandler(1143, [] {
        int chosen = ChooseBookmark();
        SelectBookmark(chosen);
        GoToBookmark(BookmarkAt(chosen));
    });
    SetCommandHandler(1144, [] { GoToBookmark(NextBookmark()); });
    SetCommandHandler(1145, [] {
        int chosen = ChooseBookmark();
        if (chosen < 0) return;
        DeleteBookmark(chosen);
        for (EditWindow* v = FirstView(); v; v = v->next) InvalidateRect(v->window, nullptr, FALSE);
    });
    SetCommandHandler(1129, [] {
        if (EditWindow* v = CurrentView()) SendMessageA(v->window, WM_CLOSE, 0, 0);
    });
}
