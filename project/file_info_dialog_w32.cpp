#include "project/file_info_dialog_w32.h"

#include <windows.h>

#include "analysis/document_scan.h"
#include "editor/edit_window_w32.h"
#include "project/current_project.h"
#include "project/dialog_fields_w32.h"
#include "project/file_info.h"
#include "project/project_session_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"

namespace {

enum : int { kPosition = 101, kSize, kMarks, kLanguage, kModified, kDate, kCommand, kOutput };

struct InfoDialog {
    TextDocument* doc;
    FileInfoTexts texts;
    std::string project_file;  // empty when the document is not a project file
};

FileFacts FactsOf(EditWindow* view) {
    TextDocument* doc = view->cursor.doc;
    FileFacts f;
    f.path = doc->name;
    f.caret_line = view->cursor.caret.number;
    f.caret_column = view->cursor.caret.column + 1;
    f.lines = doc->line_count;
    for (const TextLine* line = doc->lines->next; line != doc->lines; line = line->next) {
        if (line == view->cursor.caret.line) f.bytes_before_caret = f.bytes + view->cursor.caret.column;
        f.bytes += line->length + 2;  // written with CR LF
    }
    if (view->cursor.caret.line == doc->lines) f.bytes_before_caret = f.bytes;
    if (view->cursor.anchor.line) {
        f.mark_line = view->cursor.anchor.number;
        f.mark_column = view->cursor.anchor.column + 1;
    }
    if (doc->language) f.language = doc->language->name;
    if (const FunctionIndex* index = DocumentFunctions(doc)) f.functions = static_cast<int>(index->functions.size());
    return f;
}

std::string FileDate(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    SYSTEMTIME utc, local;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) || !FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return "Not saved yet";
    return FormatText("%02d/%02d/%04d %02d:%02d:%02d", local.wDay, local.wMonth, local.wYear, local.wHour,
                      local.wMinute, local.wSecond);
}

INT_PTR CALLBACK InfoProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* d = DialogRecord<InfoDialog>(dialog, message, lparam);
    if (message == WM_INITDIALOG) {
        SetWindowTextA(dialog, d->texts.title.c_str());
        SetItemText(dialog, kPosition, d->texts.position);
        SetItemText(dialog, kSize, d->texts.size);
        SetItemText(dialog, kMarks, d->texts.marks);
        SetItemText(dialog, kLanguage, d->texts.language);
        SetItemText(dialog, kDate, FileDate(d->doc->name));
        if (IsModified(d->doc)) CheckDlgButton(dialog, kModified, BST_CHECKED);
        else ShowWindow(GetDlgItem(dialog, kModified), SW_HIDE);
        if (!d->project_file.empty()) {
            std::string command, output;
            ProcessorFields(*CurrentProject(), d->project_file, command, output);
            SetItemText(dialog, kCommand, command);
            SetItemText(dialog, kOutput, output);
        }
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wparam) == IDOK) {
        Project* p = CurrentProject();
        if (p && !d->project_file.empty() &&
            !ApplyProcessorFields(*p, d->project_file, ItemText(dialog, kCommand), ItemText(dialog, kOutput)))
            return TRUE;
        if (IsModified(d->doc) && IsDlgButtonChecked(dialog, kModified) != BST_CHECKED) d->doc->flags &= ~kDocModified;
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return EndedByCancel(dialog, wparam);
}

}  // namespace

void FileInformationCommand() {
    EditWindow* view = CurrentView();
    if (!view || !view->cursor.doc) return;
    InfoDialog d{view->cursor.doc, DescribeFile(FactsOf(view)), ""};
    if (const Project* p = CurrentProject()) d.project_file = ProjectFileFor(*p, view->cursor.doc->name);
    bool processor = !d.project_file.empty();
    DialogTemplate t("Information", 240, processor ? 170 : 118);
    t.Label(8, 8, 224, 9, "", kPosition);
    t.Label(8, 22, 224, 9, "", kSize);
    t.Label(8, 36, 224, 9, "", kMarks);
    t.Label(8, 50, 224, 9, "", kLanguage);
    t.Label(8, 64, 224, 9, "", kDate);
    t.Check(8, 78, 120, 10, kModified, "Modified");
    if (processor) {
        t.Item(BS_GROUPBOX, 4, 92, 232, 54, 0xFFFF, kButtonClass, "File processor");
        t.Label(10, 106, 70, 9, "Command line");
        t.Edit(82, 104, 148, 13, kCommand);
        t.Label(10, 124, 70, 9, "Output file");
        t.Edit(82, 122, 148, 13, kOutput);
    }
    t.OkCancel(128, processor ? 150 : 98);
    if (t.Run(InfoProc, reinterpret_cast<LPARAM>(&d)) == IDOK && processor && g_project_open)
        SaveCurrentProjectConfiguration();
}
