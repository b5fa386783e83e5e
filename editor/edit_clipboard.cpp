#include "editor/edit_clipboard.h"

#include "editor/edit_text.h"
#include "editor/safe_file.h"
#include "editor/undo_journal.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

std::string g_clipboard;

}  // namespace

const std::string& ClipboardText() { return g_clipboard; }
void SetClipboardText(std::string text) { g_clipboard = std::move(text); }

bool CopySelection(const EditCursor* c) {
    TextPosition from, to;
    if (!SelectionRange(c, &from, &to)) return false;
    g_clipboard = TextBetween(c->doc, from, to);
    return true;
}

bool DeleteSelection(EditCursor* c) {
    TextPosition from, to;
    if (!SelectionRange(c, &from, &to)) {
        DropSelection(c);
        return false;
    }
    JournalBegin(c, 1111);
    c->caret = from;
    bool ok = DeleteRange(c->doc, from, to, nullptr);
    JournalEnd();
    DropSelection(c);
    return ok;
}

bool CutSelection(EditCursor* c) { return CopySelection(c) && DeleteSelection(c); }

bool PasteClipboard(EditCursor* c) {
    DropSelection(c);
    if (g_clipboard.empty()) return false;
    JournalBegin(c, 1113);
    bool ok = InsertTextAt(c->doc, c->caret, g_clipboard.data(), static_cast<int>(g_clipboard.size()), &c->caret);
    JournalEnd();
    return ok;
}

bool WriteClipboardToFile(const char* name) {
    if (g_clipboard.empty()) {
        ShowStatus(MessageText(4566), StatusColour::Red);
        return false;
    }
    std::string bytes;
    for (char c : g_clipboard) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    if (g_clipboard.back() != '\n') bytes += "\r\n";
    SafeFile f;
    if (!OpenSafeFile(&f, name)) return false;
    if (!WriteSafeFile(&f, bytes.data(), bytes.size())) {
        AbandonSafeFile(&f);
        return false;
    }
    return CommitSafeFile(&f);
}
