#include "editor/edit_window_w32.h"
#include "editor/text_macros.h"
#include "editor/undo_journal.h"
#include "editor/view_commands_w32.h"
#include "shell/app_state_w32.h"
#include "shell/settings_w32.h"
#include "shell/shell_hooks_w32.h"

void InstallFindCommands();  // find_commands_w32.cpp

// Registers the editor window class, installs the editing commands and the hooks
// through which the shell and the documents reach the editor.
void InstallEditor() {
    RegisterEditorClass(g_app->instance);
    InstallViewCommands();
    InstallCompletion();
    InstallMacroPage();
    InstallFindCommands();
    LoadMacros(g_config);
    JournalReset();
    g_shell_hooks.open_file = OpenEditorWindow;
    g_shell_hooks.any_document_open = [] { return FirstView() != nullptr; };
    g_shell_hooks.close_all_documents = CloseAllViews;
    g_document_hooks.repaint = RepaintDocument;
    g_document_hooks.views_reset = ResetDocumentViews;
    g_document_hooks.clear_journal = [](TextDocument* doc) { JournalForgetDocument(doc); };
}
