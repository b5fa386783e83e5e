#include "editor/text_document.h"

#include <cstddef>
#include <cstring>

#include "editor/block_alloc.h"
#include "editor/line_split.h"
#include "editor/marked_ranges.h"
#include "shell/report.h"

DocumentHooks g_document_hooks;
uint32_t g_editor_flags;

namespace {

TextDocument* g_documents;

constexpr size_t kLineHeader = offsetof(TextLine, text);

uint16_t CapacityFor(int length) {
    int capacity = (length + 15) & ~15;
    return static_cast<uint16_t>(capacity < 16 ? 16 : capacity);
}

void Unlink(TextDocument* doc) {
    for (TextDocument** p = &g_documents; *p; p = &(*p)->next)
        if (*p == doc) {
            *p = doc->next;
            break;
        }
    doc->next = nullptr;
}

void LinkInOrder(TextDocument* doc) {
    TextDocument** p = &g_documents;
    while (*p && std::strcmp((*p)->name, doc->name) < 0) p = &(*p)->next;
    doc->next = *p;
    *p = doc;
}

bool NameFits(const char* name) {
    if (std::strlen(name) < static_cast<size_t>(kDocumentNameSize)) return true;
    BadFileName(name);
    return false;
}

bool LengthFits(int length) {
    if (length >= 0 && length <= kMaxTextLineLength) return true;
    InternalError(length);
    return false;
}

size_t LineBlockSize(int length) { return kLineHeader + CapacityFor(length) + 1; }

// Copies n bytes; lines are mostly short, and two overlapping fixed-size moves copy
// them without a call.
void CopyText(char* to, const char* from, size_t n) {
    if (n >= 16 && n <= 32) {
        std::memcpy(to, from, 16);
        std::memcpy(to + n - 16, from + n - 16, 16);
    } else if (n >= 8 && n < 16) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n) {
        std::memcpy(to, from, n);
    }
}

// A zero-filled line block gets its text.
void FillLine(TextLine* line, const char* text, int length) {
    line->capacity = CapacityFor(length);
    line->length = static_cast<int16_t>(length);
    CopyText(line->text, text, static_cast<size_t>(length));
}

void Link(TextLine* line, TextLine* after) {
    line->previous = after;
    line->next = after->next;
    after->next->previous = line;
    after->next = line;
}

}  // namespace

TextDocument* FirstDocument() { return g_documents; }

TextDocument* FindDocument(const char* name, bool create) {
    for (TextDocument* d = g_documents; d; d = d->next)
        if (std::strcmp(d->name, name) == 0) return d;
    if (!create || !NameFits(name)) return nullptr;
    auto* doc = static_cast<TextDocument*>(AllocateBlock(sizeof(TextDocument)));
    if (!doc) return nullptr;
    doc->lines = NewTextLine("", 0);
    if (!doc->lines) {
        ReleaseBlock(doc);
        return nullptr;
    }
    doc->lines->next = doc->lines->previous = doc->lines;
    doc->caret_line = doc->selection_line = doc->lines;
    std::strcpy(doc->name, name);
    LinkInOrder(doc);
    return doc;
}

bool RenameDocument(TextDocument* doc, const char* name) {
    if (!NameFits(name)) return false;
    Unlink(doc);
    std::strcpy(doc->name, name);
    LinkInOrder(doc);
    return true;
}

void FreeDocument(TextDocument* doc) {
    if (!doc) return;
    Unlink(doc);
    if (doc->symbol_data && g_document_hooks.drop_symbols) g_document_hooks.drop_symbols(doc);
    ClearLines(doc);
    ClearMarkedRanges(doc);
    ReleaseBlock(doc->lines);
    ReleaseBlock(doc);
}

TextLine* LineAt(const TextDocument* doc, int n) {
    if (n < 1) return nullptr;
    TextLine* line = FirstLine(doc);
    while (line && --n > 0) line = NextLine(doc, line);
    return line;
}

int LineNumber(const TextDocument* doc, const TextLine* line) {
    int n = 1;
    for (const TextLine* l = FirstLine(doc); l; l = NextLine(doc, l), ++n)
        if (l == line) return n;
    return 0;
}

TextLine* NewTextLine(const char* text, int length) {
    if (!LengthFits(length)) return nullptr;
    auto* line = static_cast<TextLine*>(AllocateBlock(LineBlockSize(length)));
    if (line) FillLine(line, text, length);
    return line;
}

TextLine* InsertLineAfter(TextDocument* doc, TextLine* after, const char* text, int length) {
    TextLine* line = NewTextLine(text, length);
    if (!line) return nullptr;
    ++doc->text_generation;
    Link(line, after);
    ++doc->line_count;
    return line;
}

int InsertLinesAfter(TextDocument* doc, TextLine** after, const LineSpan* lines, int count) {
    constexpr int kBatch = 256;
    size_t sizes[kBatch];
    void* blocks[kBatch];
    int inserted = 0;
    ++doc->text_generation;
    while (inserted < count) {
        int n = count - inserted < kBatch ? count - inserted : kBatch;
        const LineSpan* batch = lines + inserted;
        int sized = 0;
        for (; sized < n && LengthFits(batch[sized].length); ++sized) sizes[sized] = LineBlockSize(batch[sized].length);
        int had = AllocateBlocks(sizes, blocks, sized);
        for (int i = 0; i < had; ++i) {
            auto* line = static_cast<TextLine*>(blocks[i]);
            FillLine(line, batch[i].text, batch[i].length);
            Link(line, *after);
            *after = line;
        }
        doc->line_count += had;
        inserted += had;
        if (had < n) break;
    }
    return inserted;
}

void DeleteLine(TextDocument* doc, TextLine* line) {
    if (!line || line == doc->lines) return;
    ++doc->text_generation;
    if (doc->caret_line == line) doc->caret_line = line->previous;
    if (doc->selection_line == line) doc->selection_line = line->previous;
    line->previous->next = line->next;
    line->next->previous = line->previous;
    --doc->line_count;
    ReleaseBlock(line);
}

TextLine* ReplaceLineText(TextDocument* doc, TextLine* line, const char* text, int length) {
    ++doc->text_generation;
    if (length >= 0 && length <= line->capacity) {
        std::memmove(line->text, text, static_cast<size_t>(length));
        std::memset(line->text + length, 0, static_cast<size_t>(line->capacity + 1 - length));
        line->length = static_cast<int16_t>(length);
        return line;
    }
    TextLine* fresh = NewTextLine(text, length);
    if (!fresh) return nullptr;
    fresh->flags = line->flags;
    fresh->next = line->next;
    fresh->previous = line->previous;
    line->previous->next = fresh;
    line->next->previous = fresh;
    if (doc->caret_line == line) doc->caret_line = fresh;
    if (doc->selection_line == line) doc->selection_line = fresh;
    ReleaseBlock(line);
    return fresh;
}

void ClearLines(TextDocument* doc) {
    ++doc->text_generation;
    TextLine* head = doc->lines;
    // From the last line back, so that the free lists give the blocks out again in the
    // order of the text when a file is read anew.
    constexpr int kBatch = 256;
    void* lines[kBatch];
    int n = 0;
    for (TextLine* l = head->previous; l != head;) {
        TextLine* previous = l->previous;  // read before the block goes back
        lines[n++] = l;
        if (n == kBatch) {
            ReleaseBlocks(lines, n);
            n = 0;
        }
        l = previous;
    }
    ReleaseBlocks(lines, n);
    head->next = head->previous = head;
    doc->caret_line = doc->selection_line = head;
    doc->caret_column = doc->selection_column = 0;
    doc->line_count = 0;
}

void MarkModified(TextDocument* doc) {
    doc->flags |= kDocModified;
    ++doc->text_generation;
    if (g_document_hooks.symbols_stale) g_document_hooks.symbols_stale(doc);
    if (g_document_hooks.repaint) g_document_hooks.repaint(doc);
}

const char* ShortFileName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    return name;
}
