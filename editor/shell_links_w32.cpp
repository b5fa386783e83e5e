// What the shell asks of editor windows: the file a window shows and its caret line, and
// moving the current view to a line.
#include "editor/shell_links_w32.h"

#include <cstring>

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

}  // namespace

void LinkEditorToShell() {
    g_shell_hooks.describe_window = DescribeEditorWindow;
    g_shell_hooks.go_to_line = GoToLineOfCurrentView;
}
