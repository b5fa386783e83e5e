#pragma once
// The pop-up menu of a right click in an editor window; the chosen command goes to the
// frame with the parameter -1 (work on the word or line under the caret).
#include <windows.h>

#include "editor/edit_window_w32.h"

void ShowEditorContextMenu(EditWindow* view, POINT screen);
