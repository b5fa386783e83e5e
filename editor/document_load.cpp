// Reading files into documents: load, insert, reload and the check for changes on disk.
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/line_reader.h"
#include "editor/text_document.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

constexpr size_t kRecentlyReadMax = 8;
std::vector<std::string> g_recently_read;  // oldest first

void NoteRead(const char* name) {
    for (auto it = g_recently_read.begin(); it != g_recently_read.end(); ++it)
        if (*it == name) {
            g_recently_read.erase(it);
            break;
        }
    if (g_recently_read.size() == kRecentlyReadMax) g_recently_read.erase(g_recently_read.begin());
    g_recently_read.emplace_back(name);
}

void DropSymbols(TextDocument* doc) {
    if (doc->symbol_data && g_document_hooks.drop_symbols) g_document_hooks.drop_symbols(doc);
}

void RebuildSymbols(TextDocument* doc) {
    if (g_document_hooks.rebuild_symbols) g_document_hooks.rebuild_symbols(doc);
}

void ReportCutLines(const char* name, int count) {
    char* text = FormatText(MessageText(4552), name, count);
    for (char* p = text; *p; ++p) *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    ShowError(text);
}

bool Exists(const char* name) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(name), error);
}

// Links every line of an open reader after *after, which follows along; false when a
// line could not be allocated.
bool ReadLinesAfter(TextDocument* doc, LineReader* reader, TextLine** after, int* count) {
    const LineSpan* lines;
    int n;
    while ((n = ReadLines(reader, &lines)) > 0) {
        int inserted = InsertLinesAfter(doc, after, lines, n);
        *count += inserted;
        if (inserted < n) return false;
    }
    return true;
}

}  // namespace

int64_t FileTimeOf(const char* name) {
    std::error_code error;
    auto time = std::filesystem::last_write_time(std::filesystem::path(name), error);
    if (error) return 0;
    int64_t t = static_cast<int64_t>(time.time_since_epoch().count());
    return t ? t : 1;  // 0 means unknown
}

LoadStatus LoadDocument(TextDocument* doc, const char* name) {
    ClearLines(doc);
    DropSymbols(doc);
    doc->flags &= static_cast<uint16_t>(~kDocModified);
    if (std::strcmp(doc->name, name) != 0 && !RenameDocument(doc, name)) return LoadStatus::CannotOpen;

    LoadStatus status = LoadStatus::Loaded;
    LineReader reader;
    if (!OpenLineReader(&reader, name)) {
        // A file that is there but cannot be read must not be saved over with nothing.
        if (Exists(name)) {
            ShowError(FormatText("%s:\n%s", name, MessageText(141)));
            doc->flags |= kDocIncomplete;
        }
        doc->file_time = FileTimeOf(name);
        status = LoadStatus::CannotOpen;
    } else {
        NoteRead(name);
        doc->flags |= kDocIncomplete;
        int count = 0;
        TextLine* after = doc->lines;
        if (!ReadLinesAfter(doc, &reader, &after, &count)) status = LoadStatus::NoMemory;
        else if (reader.failed) status = LoadStatus::ReadError;
        int cut = reader.cut_lines;
        CloseLineReader(&reader);
        doc->file_time = FileTimeOf(name);
        if (status == LoadStatus::Loaded && cut == 0) doc->flags &= static_cast<uint16_t>(~kDocIncomplete);
        if (cut) ReportCutLines(name, cut);
        if (status == LoadStatus::ReadError) ShowErrorId(141);
    }
    if (g_document_hooks.choose_language) g_document_hooks.choose_language(doc);
    RebuildSymbols(doc);
    if (g_document_hooks.views_reset) g_document_hooks.views_reset(doc);
    return status;
}

bool InsertFileAtCaret(TextDocument* doc, const char* name) {
    LineReader reader;
    if (!OpenLineReader(&reader, name)) {
        FileNotFound(name);
        return false;
    }
    NoteRead(name);
    int count = 0;
    bool complete = ReadLinesAfter(doc, &reader, &doc->caret_line, &count);
    bool failed = reader.failed;
    int cut = reader.cut_lines;
    CloseLineReader(&reader);
    if (cut) {
        doc->flags |= kDocIncomplete;
        ReportCutLines(name, cut);
    }
    if (failed) ShowErrorId(141);
    ShowStatus(FormatText(MessageText(4388), count));
    doc->flags &= static_cast<uint16_t>(~kDocFileInserted);
    RebuildSymbols(doc);
    MarkModified(doc);
    return complete && !failed;
}

bool ReloadDocument(TextDocument* doc, bool ask) {
    if (doc->flags & kDocInternal) {
        Inform(MessageText(4050));
        return false;
    }
    if (ask && !AskId(4051)) return false;
    doc->flags = 0;
    int caret_number = LineNumber(doc, doc->caret_line);
    uint16_t caret_column = doc->caret_column;
    DropSymbols(doc);
    std::string name = doc->name;
    LoadStatus status = LoadDocument(doc, name.c_str());
    TextLine* caret = LineAt(doc, caret_number);
    if (caret) {
        doc->caret_line = doc->selection_line = caret;
        doc->caret_column = doc->selection_column = caret_column;
    }
    if (g_document_hooks.repaint) g_document_hooks.repaint(doc);
    if (g_document_hooks.clear_journal) g_document_hooks.clear_journal(doc);
    return status == LoadStatus::Loaded;
}

void CheckForExternalChanges(void (*activate)(TextDocument* doc)) {
    for (TextDocument* doc = FirstDocument(); doc; doc = doc->next) {
        if (doc->flags & kDocInternal) continue;
        std::string name = doc->name;
        std::string lower = name;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == "untitled") continue;
        int64_t time = FileTimeOf(doc->name);
        if (time == 0 || time == doc->file_time) continue;  // deleted files are not reported
        doc->file_time = time;
        if (!Ask(FormatText(MessageText(1202), doc->name))) continue;
        if (activate) activate(doc);
        ReloadDocument(doc, false);
    }
}

int RecentlyReadCount() { return static_cast<int>(g_recently_read.size()); }
const char* RecentlyRead(int index) {
    return index >= 0 && index < RecentlyReadCount() ? g_recently_read[static_cast<size_t>(index)].c_str() : "";
}
