#include "editor/undo_journal.h"

#include <deque>

#include "editor/edit_text.h"

namespace {

std::deque<JournalStep> g_steps;
JournalStep g_open;
int g_depth;          // nesting of JournalBegin
bool g_suspended;     // while undoing

void Push(JournalStep step) {
    // The oldest step makes room: the journal always holds the last 255.
    if (static_cast<int>(g_steps.size()) >= kJournalSize) g_steps.pop_front();
    g_steps.push_back(std::move(step));
}

void Note(TextDocument* doc, bool inserted, const TextPosition& at, const std::string& text) {
    if (g_suspended || text.empty()) return;
    JournalEdit edit{inserted, at.number, at.column, text};
    if (g_depth > 0 && g_open.doc == doc) {
        g_open.edits.push_back(std::move(edit));
        return;
    }
    JournalStep single{nullptr, doc, 0, 0, at.number, at.column, {}};
    single.edits.push_back(std::move(edit));
    Push(std::move(single));
}

}  // namespace

void JournalBegin(const EditCursor* cursor, uint32_t action, uint32_t parameter) {
    if (g_depth++ > 0) return;
    g_open = {cursor->window, cursor->doc, action, parameter, cursor->caret.number, cursor->caret.column, {}};
}

void JournalEnd() {
    if (g_depth == 0 || --g_depth > 0) return;
    if (!g_open.edits.empty()) Push(std::move(g_open));
    g_open = JournalStep{};
}

void JournalMotion(const EditCursor* cursor, uint32_t action, uint32_t parameter) {
    if (g_depth > 0 || g_suspended) return;
    if (!g_steps.empty()) {
        const JournalStep& last = g_steps.back();
        if (last.edits.empty() && last.window == cursor->window && last.doc == cursor->doc) return;
    }
    Push({cursor->window, cursor->doc, action, parameter, cursor->caret.number, cursor->caret.column, {}});
}

void JournalBeginSeries(const EditCursor* cursor) { JournalBegin(cursor, kJournalReplaceSeries); }
void JournalEndSeries() { JournalEnd(); }

void JournalNoteInsert(TextDocument* doc, const TextPosition& at, const std::string& text) {
    Note(doc, true, at, text);
}

void JournalNoteDelete(TextDocument* doc, const TextPosition& at, const std::string& text) {
    Note(doc, false, at, text);
}

bool Undo(EditCursor* cursor) {
    DropSelection(cursor);
    int i = static_cast<int>(g_steps.size()) - 1;
    while (i >= 0 && g_steps[static_cast<size_t>(i)].doc != cursor->doc) --i;
    if (i < 0) return false;
    JournalStep step = std::move(g_steps[static_cast<size_t>(i)]);
    g_steps.erase(g_steps.begin() + i, g_steps.end());
    TextDocument* doc = cursor->doc;
    g_suspended = true;
    // The caret walks along: the text changes keep it on a live line.
    for (auto e = step.edits.rbegin(); e != step.edits.rend(); ++e) {
        cursor->caret = PositionNear(doc, cursor->caret, e->number, e->column);
        TextPosition at = cursor->caret;
        if (e->inserted) DeleteRange(doc, at, PositionAfterText(doc, at, e->text), nullptr);
        else InsertTextAt(doc, at, e->text.data(), static_cast<int>(e->text.size()), nullptr);
    }
    g_suspended = false;
    cursor->caret = PositionNear(doc, cursor->caret, step.caret_number, step.caret_column);
    return true;
}

void JournalReset() {
    g_steps.clear();
    g_open = JournalStep{};
    g_depth = 0;
}

void JournalForgetDocument(const TextDocument* doc) {
    std::erase_if(g_steps, [doc](const JournalStep& s) { return s.doc == doc; });
    if (g_open.doc == doc) g_open.edits.clear();
}

int JournalCount() { return static_cast<int>(g_steps.size()); }

const JournalStep* JournalStepAt(int index) {
    return index >= 0 && index < static_cast<int>(g_steps.size()) ? &g_steps[static_cast<size_t>(index)] : nullptr;
}
