// What the shell asks of editor windows: the file a window shows and its caret line, and
// moving the current view to a line.
#include "editor/shell_links_w32.h"

#include <cctype>
#include <cstring>
#include <string>

#include "analysis/document_scan.h"
#include "analysis/function_index.h"
#include "editor/edit_text.h"

#include "editor/edit_window_w32.h"
#include "editor/view_commands_w32.h"
#include "shell/shell_hooks_w32.h"

namespace {

bool DescribeEditorWindow(HWND child, char* path, int path_size, int* line) {
    EditWindow* view = ViewOfWindow(child);
    if (!view || !view->cursor.doc || path_size <= 0) return false;
    const TextDocument* doc = view->cursor.doc;
    if (doc->flags & kDocInternal || !_stricmp(doc->name, "untitled")) return false;  // not files
    lstrcpynA(path, doc->name, path_size);
    *line = view->cursor.caret.number > 0 ? view->cursor.caret.number : 1;
    return true;
}

void GoToLineOfCurrentView(int line) { EditorGoToLine(line); }

// Another program's prototype (already cut at ';'): go to that function of the current
// document, or append the prototype with an empty body to the end of the document.
bool GoToPrototype(const char* prototype) {
    EditWindow* view = CurrentView();
    if (!view || !view->cursor.doc) return false;
    TextDocument* doc = view->cursor.doc;
    std::string text = prototype;
    size_t end = text.find('(');
    if (end == std::string::npos) return false;
    while (end > 0 && text[end - 1] == ' ') --end;
    size_t start = end;
    while (start > 0 && (isalnum(static_cast<unsigned char>(text[start - 1])) || text[start - 1] == '_')) --start;
    if (start == end) return false;
    std::string name = text.substr(start, end - start);
    const FunctionIndex* index = DocumentFunctions(doc);
    if (const FunctionRecord* f = index ? FindFunction(*index, name.c_str()) : nullptr)
        return EditorGoToLine(f->header_line);
    std::string added = text + "\n{\n}\n";
    if (!InsertTextAt(doc, EndOf(doc), added.data(), static_cast<int>(added.size()), nullptr)) return false;
    RepaintDocument(doc);
    return EditorGoToLine(doc->line_count - 1);
}

}  // namespace

void LinkEditorToShell() {
    g_shell_hooks.describe_window = DescribeEditorWindow;
    g_shell_hooks.go_to_line = GoToLineOfCurrentView;
    g_shell_hooks.go_to_prototype = GoToPrototype;
}
