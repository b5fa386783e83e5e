#pragma once
// Editor windows: MDI children of class "clMDIDocument", each an EditWindow showing one
// TextDocument through its cursor. One view is current; most commands act on it.
#include <windows.h>

#include "editor/edit_cursor.h"

inline constexpr const char* kEditorClass = "clMDIDocument";

enum : uint8_t {
    kRepaintCaretRow = 4,
    kRepaintAll = 8,
    kRepaintOverwrite = 32,
};

struct EditWindow {
    EditWindow* next;
    HWND window;
    EditCursor cursor;       // document, caret, selection anchor, top line
    int horizontal_offset;   // first visible column, expanded
    uint8_t repaint_flags;
    bool dragging;
};

bool RegisterEditorClass(HINSTANCE instance);

// Opens the file in a new editor window, or activates a window that shows it.
bool OpenEditorWindow(const char* name, bool maximize);
EditWindow* CurrentView();
EditWindow* FirstView();  // then view->next
EditWindow* ViewOfWindow(HWND window);

// A key sent on to the frame (message 4194) handled as the current view's own key
// press; false when there is no view or the key is not the editor's.
bool ForwardKeyToCurrentView(WPARAM key, LPARAM lparam);

// Closes every editor window, asking to save each modified document; false when refused.
bool CloseAllViews();

// After the caret moved or the text changed: keeps the caret visible, repaints what
// the flags ask for, places the caret and updates scroll bar, title and status line.
void RefreshView(EditWindow* view);
// Repaints every view of the document (the document's repaint hook).
void RepaintDocument(TextDocument* doc);
void ResetDocumentViews(TextDocument* doc);

// The system clipboard: publish the internal clipboard as CF_TEXT (LF written as CR LF,
// at most 65,000 bytes), and take CF_TEXT over into it (CR dropped).
void PublishClipboard();
void TakeSystemClipboard();
