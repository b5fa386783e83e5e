#pragma once
// A document built from text with one attached cursor, for the editing tests.
#include <string>

#include "editor/edit_cursor.h"
#include "editor/undo_journal.h"
#include "tests/support/recorded_reports.h"

struct EditFixture {
    RecordedReports reports;
    TextDocument* doc = nullptr;
    EditCursor cursor;

    // `text` holds the lines, each ended by LF ("" is an empty document).
    explicit EditFixture(const std::string& text, const char* name = "edit_fixture.c") {
        JournalReset();
        doc = FindDocument(name, true);
        ClearLines(doc);
        std::string line;
        for (char c : text) {
            if (c == '\n') {
                InsertLineAfter(doc, doc->lines->previous, line.data(), static_cast<int>(line.size()));
                line.clear();
            } else {
                line += c;
            }
        }
        AttachCursor(&cursor, doc);
        cursor.auto_indent = false;
    }
    ~EditFixture() {
        DetachCursor(&cursor);
        JournalForgetDocument(doc);
        FreeDocument(doc);
    }
    EditFixture(const EditFixture&) = delete;
    EditFixture& operator=(const EditFixture&) = delete;

    std::string Text() const {
        std::string out;
        for (TextLine* l = FirstLine(doc); l; l = NextLine(doc, l)) out.append(l->text, static_cast<size_t>(l->length)) += '\n';
        return out;
    }
    void Caret(int line, int column) { cursor.caret = PositionAt(doc, line, column); }
    void Anchor(int line, int column) { cursor.anchor = PositionAt(doc, line, column); }
    // Every cursor position must name the live line of its number.
    bool CursorConsistent() const {
        for (const TextPosition* p : {&cursor.caret, &cursor.top}) {
            TextPosition fresh = PositionAt(doc, p->number, p->column);
            if (fresh.line != p->line || fresh.column != p->column) return false;
        }
        return true;
    }
};
