// Writing documents back: save, save all, save as, backups and the time-stamp line.
#include <cstring>
#include <ctime>
#include <string>

#include "editor/block_alloc.h"
#include "editor/line_reader.h"
#include "editor/safe_file.h"
#include "editor/text_document.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

// Lines go through one transfer buffer, written out whenever the next line would not fit.
struct Transfer {
    SafeFile file;
    char* buffer = nullptr;
    size_t fill = 0;
};

bool Flush(Transfer* t) {
    bool ok = WriteSafeFile(&t->file, t->buffer, t->fill);
    t->fill = 0;
    return ok;
}

bool Append(Transfer* t, const char* text, size_t n) {
    if (t->fill + n + 2 > kTransferBufferSize && !Flush(t)) return false;
    if (n + 2 > kTransferBufferSize) return WriteSafeFile(&t->file, text, n) && WriteSafeFile(&t->file, "\r\n", 2);
    std::memcpy(t->buffer + t->fill, text, n);
    t->buffer[t->fill + n] = '\r';
    t->buffer[t->fill + n + 1] = '\n';
    t->fill += n + 2;
    return true;
}

// Writes every line with CR LF; `trim` first removes trailing blanks and tabs from the
// lines themselves.
bool WriteLines(TextDocument* doc, const char* name, bool trim, const std::string& backup) {
    Transfer t;
    if (!OpenSafeFile(&t.file, name)) return false;
    t.buffer = static_cast<char*>(AllocateBlock(kTransferBufferSize));
    bool ok = t.buffer != nullptr;
    for (TextLine* line = FirstLine(doc); ok && line; line = NextLine(doc, line)) {
        if (trim) {
            int n = line->length;
            while (n > 0 && (line->text[n - 1] == ' ' || line->text[n - 1] == '\t')) line->text[--n] = 0;
            line->length = static_cast<int16_t>(n);
        }
        ok = Append(&t, line->text, static_cast<size_t>(line->length));
    }
    ok = ok && Flush(&t);
    ReleaseBlock(t.buffer);
    if (!ok) {
        AbandonSafeFile(&t.file);
        return false;
    }
    return CommitSafeFile(&t.file, backup);
}

bool WriteAndStamp(TextDocument* doc, const char* name, const std::string& backup) {
    if (!WriteLines(doc, name, true, backup)) return false;
    doc->file_time = FileTimeOf(name);
    if (doc->caret_line != doc->lines && doc->caret_column > doc->caret_line->length)
        doc->caret_column = static_cast<uint16_t>(doc->caret_line->length);
    return true;
}

void UpdateTimeStamp(TextDocument* doc) {
    if (!g_document_hooks.find_time_stamp_line) return;
    TextLine* line = g_document_hooks.find_time_stamp_line(doc);
    const char* prefix = MessageText(3999);
    if (!line || std::strncmp(line->text, prefix, std::strlen(prefix)) != 0) return;
    doc->flags |= kDocTimeStamp;
    std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    StampTimeLine(doc, &line, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                  local.tm_sec);
}

}  // namespace

std::string BackupName(const std::string& name) {
    size_t component = name.find_last_of("\\/");
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || (component != std::string::npos && dot < component)) return name + ".~";
    return name.substr(0, dot) + ".~" + name.substr(dot + 1, 2);
}

bool StampTimeLine(TextDocument* doc, TextLine** line, int year, int month, int day, int hour, int minute,
                   int second) {
    std::string text((*line)->text, static_cast<size_t>((*line)->length));
    size_t mark = text.find("$D");
    size_t colon = mark == std::string::npos ? mark : text.find(':', mark);
    size_t dollar = colon == std::string::npos ? colon : text.find('$', colon);
    if (dollar == std::string::npos) return false;
    std::string stamp = FormatText(MessageText(4078), year, month, day, hour, minute, second);
    size_t field = dollar - colon - 1;
    if (stamp.size() < field) stamp.append(field - stamp.size(), ' ');
    text.replace(colon + 1, field, stamp);  // a field too short for the time grows
    TextLine* fresh = ReplaceLineText(doc, *line, text.data(), static_cast<int>(text.size()));
    if (!fresh) return false;
    *line = fresh;
    return true;
}

bool WriteDocument(TextDocument* doc, const char* name) { return WriteAndStamp(doc, name, std::string()); }

bool WriteDocumentCopy(const TextDocument* doc, const char* name) {
    return WriteLines(const_cast<TextDocument*>(doc), name, false, std::string());
}

bool SaveDocument(TextDocument* doc) {
    if (!IsModified(doc)) return true;
    if (doc->flags & kDocIncomplete) {
        if (!AskId(4551)) return false;
        doc->flags &= static_cast<uint16_t>(~kDocIncomplete);
    }
    std::string report;
    if ((doc->flags & kDocCSource) && (g_editor_flags & kEditorCheckBeforeSave) && g_document_hooks.check_braces &&
        !g_document_hooks.check_braces(doc, &report) && !Ask(FormatText(MessageText(290), report.c_str())))
        return false;
    std::string backup = (g_editor_flags & kEditorKeepBackup) ? BackupName(doc->name) : std::string();
    UpdateTimeStamp(doc);
    bool ok = WriteAndStamp(doc, doc->name, backup);
    if (ok) doc->flags &= static_cast<uint16_t>(~kDocModified);
    if (g_document_hooks.title_changed) g_document_hooks.title_changed(doc);
    return ok;
}

bool SaveAllModified() {
    for (TextDocument* doc = FirstDocument(); doc; doc = doc->next)
        if (IsModified(doc) && !(doc->flags & kDocInternal) && !SaveDocument(doc)) return false;
    return true;
}

bool SaveDocumentAs(TextDocument* doc, const char* name) {
    TextDocument* other = FindDocument(name, false);
    if (other && other != doc) {
        Inform(MessageText(4000));
        return false;
    }
    if (!RenameDocument(doc, name)) return false;
    doc->flags = static_cast<uint16_t>((doc->flags | kDocModified) & ~kDocInternal);
    return SaveDocument(doc);
}
