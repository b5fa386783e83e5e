#pragma once
// The command journal: the last 255 editor actions of all windows, each with the caret
// before it and the exact text it inserted or removed, so that Undo (1110) restores
// the document exactly as it was before the action.
//
// An action is bracketed by JournalBegin/JournalEnd; the text changes in between
// (edit_text.h) are collected into it. Brackets nest: a replace series opened with
// JournalBeginSeries gathers all its replacements into one step.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/edit_cursor.h"

inline constexpr int kJournalSize = 255;

// Journal codes of its own beside window messages and command ids.
enum : uint32_t {
    kJournalOverwrite = 0x81,      // a character removed by overwrite typing
    kJournalSearchAction = 0x82,
    kJournalReplaceSeries = 0x402,
    kJournalTyped = 0x102,         // WM_CHAR: a typed character
    kJournalKey = 0x100,           // WM_KEYDOWN: Delete, motions
    kJournalMouse = 0x201,         // a click that moved the caret
    kJournalScroll = 0x115,
};

struct JournalEdit {
    bool inserted;  // else removed
    int number, column;
    std::string text;
};

struct JournalStep {
    void* window;
    TextDocument* doc;
    uint32_t action;  // message or command id
    uint32_t parameter;  // key, character or command parameter
    int caret_number, caret_column;  // before the action
    std::vector<JournalEdit> edits;  // none: a caret motion, undone by putting the caret back
};

// Opens a step for the cursor's window and document, remembering the caret.
void JournalBegin(const EditCursor* cursor, uint32_t action, uint32_t parameter = 0);
// Closes it; a step with neither edits nor a motion is dropped.
void JournalEnd();
// A caret motion: Undo puts the caret back. Consecutive motions of one window make one step.
void JournalMotion(const EditCursor* cursor, uint32_t action, uint32_t parameter = 0);
// A replace series (the search's replace-all): every replacement until the end is one step.
void JournalBeginSeries(const EditCursor* cursor);
void JournalEndSeries();

// Called by edit_text.cpp for every change; a change outside any step becomes its own.
void JournalNoteInsert(TextDocument* doc, const TextPosition& at, const std::string& text);
void JournalNoteDelete(TextDocument* doc, const TextPosition& at, const std::string& text);

// Undoes the cursor's document's last step; the steps of other documents recorded after
// it are dropped. False when there is nothing to undo.
bool Undo(EditCursor* cursor);

void JournalReset();
void JournalForgetDocument(const TextDocument* doc);  // before the document goes away
int JournalCount();
const JournalStep* JournalStepAt(int index);  // 0 the oldest
