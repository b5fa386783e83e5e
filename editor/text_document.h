#pragma once
// Text documents: one file's text as a circular doubly linked list of lines behind a
// head line, and the one list of all documents, sorted by name.
//
// Walking the lines:
//     for (TextLine* l = FirstLine(doc); l; l = NextLine(doc, l)) use(l->text, l->length);
// Every line and document comes from the checked block allocator (editor/block_alloc.h)
// and is owned by its document; documents are owned by the document list.
// Documents are touched only on the user-interface thread.
#include <cstdint>
#include <string>

struct Language;  // the language record chosen from the extension (source analysis)
struct LineSpan;  // editor/line_split.h
struct MarkedRange;  // editor/marked_ranges.h

// One line. The record is one checked block of offsetof(text) + capacity + 1 bytes.
struct TextLine {
    TextLine* next;      // the last line points to the head line
    TextLine* previous;  // the first line points to the head line
    uint16_t capacity;   // bytes available for text: length rounded up to 16, at least 16
    int16_t length;      // characters, without the terminator
    uint8_t flags;       // line marks of the view and the debugger
    char text[1];        // capacity + 1 bytes, NUL-terminated; never holds LF (NUL bytes may occur)
};

inline constexpr int kDocumentNameSize = 120;  // with the terminator
inline constexpr int kMaxTextLineLength = 0x7FF0;

// Document flags.
enum : uint16_t {
    kDocModified = 2,        // modified since load or save
    kDocIncomplete = 4,      // lines were cut when reading, or the read failed: saving asks first
    kDocInternal = 8,        // an internal buffer without a file of its own (tool output)
    kDocFileInserted = 0x100,  // cleared after a file is inserted
    kDocTimeStamp = 0x200,   // carries a time-stamp line
    kDocCSource = 0x400,     // C source
};

struct TextDocument {
    TextDocument* next;  // next in the name-sorted list
    TextLine* lines;     // the head line
    TextLine* caret_line;
    TextLine* selection_line;
    uint16_t caret_column, selection_column;
    int8_t view_count;  // editor windows showing the document
    uint16_t flags;
    char name[kDocumentNameSize];  // the full path as opened; "untitled" without a file
    int32_t line_count;
    void* symbol_data;           // the scanner's index, owned through g_document_hooks
    const Language* language;    // or null
    int64_t file_time;           // modification time when last read or written; 0 unknown
    MarkedRange* marked_ranges;  // highlighted by other tools, by start line; owned
    uint32_t text_generation;    // changes with every change of the lines, for caches of the text
};

// Operations of other subsystems that documents call; each may be left null.
struct DocumentHooks {
    void (*drop_symbols)(TextDocument* doc);      // free doc->symbol_data
    void (*rebuild_symbols)(TextDocument* doc);   // scan the text again
    void (*symbols_stale)(TextDocument* doc);     // after an edit: rescan before the next use
    void (*choose_language)(TextDocument* doc);   // set language, kDocCSource etc. from the name
    void (*views_reset)(TextDocument* doc);       // every view to line 1, column 0, repaint
    void (*repaint)(TextDocument* doc);           // after a change of the text
    void (*title_changed)(TextDocument* doc);     // the frame title may need updating
    // The brace check before saving C source: false with a report when it finds a problem.
    bool (*check_braces)(TextDocument* doc, std::string* report);
    // The line holding "$D...:...$" after the text of id 3999, or null.
    TextLine* (*find_time_stamp_line)(TextDocument* doc);
    void (*clear_journal)(TextDocument* doc);     // the undo journal, after a reload
};
extern DocumentHooks g_document_hooks;

// The editor option word (EditorFlags of the configuration).
enum : uint32_t { kEditorCheckBeforeSave = 2, kEditorKeepBackup = 4, kEditorSmallOutputFont = 8 };
extern uint32_t g_editor_flags;

// --- The document list ---------------------------------------------------------------

// The document of exactly this name; when absent and `create` is set, a new empty one
// inserted in name order. Null when absent, or after reporting a name too long to hold.
TextDocument* FindDocument(const char* name, bool create);
TextDocument* FirstDocument();  // then doc->next
// Takes the document out of the list and frees its symbols, lines and record.
void FreeDocument(TextDocument* doc);
// Gives the document a new name and moves it to its place in the list; false (with a
// report) when the name is too long.
bool RenameDocument(TextDocument* doc, const char* name);

// --- Lines -----------------------------------------------------------------------------

inline TextLine* FirstLine(const TextDocument* doc) {
    return doc->lines->next == doc->lines ? nullptr : doc->lines->next;
}
inline TextLine* NextLine(const TextDocument* doc, const TextLine* line) {
    return line->next == doc->lines ? nullptr : line->next;
}
inline TextLine* LastLine(const TextDocument* doc) {
    return doc->lines->previous == doc->lines ? nullptr : doc->lines->previous;
}
// Line n (1-based), or null.
TextLine* LineAt(const TextDocument* doc, int n);
// The 1-based number of a line of the document, 0 for the head line.
int LineNumber(const TextDocument* doc, const TextLine* line);

// A new unlinked line holding a copy of the text (null after the out-of-memory box).
TextLine* NewTextLine(const char* text, int length);
// Inserts a new line after `after` (the head line, doc->lines, inserts at the start).
// Counts it; does not mark the document modified. Null when out of memory.
TextLine* InsertLineAfter(TextDocument* doc, TextLine* after, const char* text, int length);
// Inserts new lines holding the spans' texts after *after, which moves to the last
// one; the batch form of InsertLineAfter for loading. Returns how many were inserted,
// fewer than `count` when out of memory.
int InsertLinesAfter(TextDocument* doc, TextLine** after, const LineSpan* lines, int count);
// Unlinks and frees a line; the caret and selection on it move to the line before.
void DeleteLine(TextDocument* doc, TextLine* line);
// Replaces a line's text, reallocating it when it outgrows its capacity. Returns the
// line (possibly moved; links, caret and selection follow), or null when out of memory
// (the old line is kept).
TextLine* ReplaceLineText(TextDocument* doc, TextLine* line, const char* text, int length);
// Frees all lines, leaving the head line; caret and selection go to the head line.
void ClearLines(TextDocument* doc);

// Sets flag 2, marks the symbols out of date and repaints: every editing operation calls it.
void MarkModified(TextDocument* doc);
inline bool IsModified(const TextDocument* doc) { return doc->flags & kDocModified; }

// --- Files -----------------------------------------------------------------------------

enum class LoadStatus { Loaded, CannotOpen, ReadError, NoMemory };

// Replaces the document's lines with the named file's, reporting cut lines, read errors
// and lack of memory. A file that cannot be opened leaves the document empty (it is
// created by saving). Takes the name, picks the language and rebuilds the symbols.
LoadStatus LoadDocument(TextDocument* doc, const char* name);

// Save of a document: nothing when unmodified; asks about cut lines and a failed brace
// check; keeps a backup when that option is on; updates a time-stamp line; writes.
// On failure the file on disk is the old one and the document stays modified.
bool SaveDocument(TextDocument* doc);
// Saves every modified document in list order, stopping at the first failure.
bool SaveAllModified();
// Save as: refuses a name another document has (id 4000), else renames, clears the
// internal flag, marks modified and saves.
bool SaveDocumentAs(TextDocument* doc, const char* name);

// Writes all lines with CR LF after removing their trailing blanks and tabs, through a
// temporary file beside the target that replaces it only when complete. Stores the file time.
bool WriteDocument(TextDocument* doc, const char* name);
// Writes all lines as they are, each with CR LF (temporary copies for CMS and diffs).
bool WriteDocumentCopy(const TextDocument* doc, const char* name);

// The file name after the path's last '\\', '/' or ':'.
const char* ShortFileName(const char* path);

// The backup name: prog.c -> prog.~c, main.cpp -> main.~cp, README -> README.~
std::string BackupName(const std::string& name);

// Writes local time `when` (as "%d.%d.%d.%d.%d.%d") into a time-stamp line after the
// ':' that follows "$D", padding with blanks up to the next '$'. False when the line
// has no such field. Returns the line through *line (it may move).
bool StampTimeLine(TextDocument* doc, TextLine** line, int year, int month, int day, int hour, int minute,
                   int second);

// Reads a file after the caret line, moving the caret along; reports "%d lines read".
bool InsertFileAtCaret(TextDocument* doc, const char* name);

// Reload from disk: refused for internal buffers (id 4050); asks id 4051 when `ask`;
// keeps the caret's line number and column.
bool ReloadDocument(TextDocument* doc, bool ask);

// The file's modification time as stored in file_time, or 0 when it does not exist.
int64_t FileTimeOf(const char* name);

// Documents whose file changed on disk since it was read or written: stores the new
// time, asks id 1202 and, on Yes, calls `activate` and reloads without asking again.
void CheckForExternalChanges(void (*activate)(TextDocument* doc));

// The up to eight names most recently read, oldest first.
int RecentlyReadCount();
const char* RecentlyRead(int index);
