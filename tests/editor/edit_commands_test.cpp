#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "editor/edit_clipboard.h"
#include "editor/edit_motion.h"
#include "editor/edit_text.h"
#include "editor/edit_typing.h"
#include "editor/text_tabs.h"
#include "editor/undo_journal.h"
#include "tests/editor/edit_fixture.h"

namespace {

struct EditCase {
    const char* name;
    const char* before;
    int line, column;         // caret
    int anchor_line, anchor_column;  // 0: no selection
    std::function<bool(EditCursor*)> action;
    const char* after;
    int caret_line, caret_column;
};

bool Type(EditCursor* c, const char* s) {
    for (; *s; ++s)
        if (!TypeCharacter(c, static_cast<unsigned char>(*s), 1, false)) return false;
    return true;
}

const EditCase kCases[] = {
    {"type in a line", "abc\n", 1, 1, 0, 0, [](EditCursor* c) { return Type(c, "X"); }, "aXbc\n", 1, 2},
    {"type at the end of the document", "abc\n", 2, 0, 0, 0, [](EditCursor* c) { return Type(c, "xy"); },
     "abc\nxy\n", 2, 2},
    {"type into an empty document", "", 1, 0, 0, 0, [](EditCursor* c) { return Type(c, "q"); }, "q\n", 1, 1},
    {"repeat count", "ab\n", 1, 1, 0, 0, [](EditCursor* c) { return TypeCharacter(c, '-', 3, false); }, "a---b\n", 1, 4},
    {"enter splits", "abcd\n", 1, 2, 0, 0, [](EditCursor* c) { return TypeCharacter(c, 13, 1, false); }, "ab\ncd\n", 2,
     0},
    {"enter at the start", "ab\n", 1, 0, 0, 0, [](EditCursor* c) { return TypeCharacter(c, 13, 1, false); }, "\nab\n", 2,
     0},
    {"enter at the end of the document", "ab\n", 2, 0, 0, 0, [](EditCursor* c) { return TypeCharacter(c, 13, 1, false); },
     "ab\n\n", 3, 0},
    {"backspace joins lines", "ab\ncd\n", 2, 0, 0, 0, [](EditCursor* c) { return Backspace(c, 1); }, "abcd\n", 1, 2},
    {"backspace at the start does nothing", "ab\n", 1, 0, 0, 0, [](EditCursor* c) { return !Backspace(c, 1); }, "ab\n", 1,
     0},
    {"backspace twice across a line end", "ab\ncd\n", 2, 1, 0, 0, [](EditCursor* c) { return Backspace(c, 2); },
     "abd\n", 1, 2},
    {"backspace at the end removes an empty last line", "ab\n\n", 3, 0, 0, 0, [](EditCursor* c) { return Backspace(c, 1); },
     "ab\n", 2, 0},
    {"backspace at the end keeps a last line", "ab\n", 2, 0, 0, 0, [](EditCursor* c) { return Backspace(c, 1); }, "ab\n",
     1, 2},
    {"delete joins the next line", "ab\ncd\n", 1, 2, 0, 0, [](EditCursor* c) { return DeleteKey(c, 1); }, "abcd\n", 1, 2},
    {"delete at the end of the document", "ab\n", 2, 0, 0, 0, [](EditCursor* c) { return !DeleteKey(c, 1); }, "ab\n", 2,
     0},
    {"delete an empty last line", "ab\n\n", 2, 0, 0, 0, [](EditCursor* c) { return DeleteKey(c, 1); }, "ab\n", 2, 0},
    {"delete at the end of the last line", "ab\n", 1, 2, 0, 0, [](EditCursor* c) { return DeleteKey(c, 1); }, "ab\n", 1, 2},
    {"typing replaces a selection", "abcdef\n", 1, 4, 1, 1, [](EditCursor* c) { return Type(c, "Z"); }, "aZef\n", 1, 2},
    {"backspace with a selection only deletes it", "ab\ncd\n", 2, 1, 1, 1,
     [](EditCursor* c) { return TypeCharacter(c, 8, 1, false); }, "ad\n", 1, 1},
    {"delete a selection over lines", "ab\ncd\nef\n", 3, 1, 1, 1, [](EditCursor* c) { return DeleteKey(c, 1); }, "af\n",
     1, 1},
    {"delete whole last lines", "ab\ncd\nef\n", 4, 0, 2, 0, [](EditCursor* c) { return DeleteKey(c, 1); }, "ab\n", 2, 0},
    {"cut and paste moves text", "one two\n", 1, 3, 1, 0,
     [](EditCursor* c) {
         if (!CutSelection(c)) return false;
         c->caret = PositionAt(c->doc, 1, 4);
         return PasteClipboard(c);
     },
     " twoone\n", 1, 7},
    {"paste of lines at the end", "a\n", 2, 0, 0, 0,
     [](EditCursor* c) {
         SetClipboardText("x\ny");
         return PasteClipboard(c);
     },
     "a\nx\ny\n", 3, 1},
    {"overwrite replaces", "abc\n", 1, 1, 0, 0,
     [](EditCursor* c) {
         c->overwrite = true;
         return Type(c, "XY");
     },
     "aXY\n", 1, 3},
    {"overwrite in the middle of a tab inserts", "\tb\n", 1, 0, 0, 0,
     [](EditCursor* c) {
         c->overwrite = true;
         return Type(c, "X");
     },
     "X\tb\n", 1, 1},
    {"overwrite on the last column of a tab replaces", "abc\tb\n", 1, 3, 0, 0,
     [](EditCursor* c) {
         c->overwrite = true;
         return Type(c, "X");
     },
     "abcXb\n", 1, 4},
    {"tab inserts a tab", "ab\n", 1, 1, 0, 0, [](EditCursor* c) { return TypeCharacter(c, 9, 2, false); }, "a\t\tb\n", 1,
     3},
};

TEST(EditCommands, CasesAndTheirUndo) {
    for (const EditCase& k : kCases) {
        SCOPED_TRACE(k.name);
        EditFixture f(k.before);
        f.Caret(k.line, k.column);
        if (k.anchor_line) f.Anchor(k.anchor_line, k.anchor_column);
        EXPECT_TRUE(k.action(&f.cursor));
        EXPECT_EQ(f.Text(), k.after);
        EXPECT_EQ(f.cursor.caret.number, k.caret_line);
        EXPECT_EQ(f.cursor.caret.column, k.caret_column);
        EXPECT_TRUE(f.CursorConsistent());
        EXPECT_EQ(f.doc->line_count + 1, EndOf(f.doc).number);
        while (Undo(&f.cursor)) {
        }
        EXPECT_EQ(f.Text(), k.before);
        EXPECT_TRUE(f.CursorConsistent());
    }
}

TEST(EditCommands, UndoRemovesTypedCharactersInReverse) {
    EditFixture f("\n");
    Type(&f.cursor, "abc");
    Undo(&f.cursor);
    EXPECT_EQ(f.Text(), "ab\n");
    Undo(&f.cursor);
    EXPECT_EQ(f.Text(), "a\n");
    Undo(&f.cursor);
    EXPECT_EQ(f.Text(), "\n");
    EXPECT_EQ(f.cursor.caret.column, 0);
}

TEST(EditCommands, JournalKeepsTheLast255Actions) {
    EditFixture f("\n");
    for (int i = 0; i < 300; ++i) TypeCharacter(&f.cursor, static_cast<unsigned char>('a' + i % 26), 1, false);
    EXPECT_EQ(JournalCount(), kJournalSize);
    std::string typed = f.Text();
    int undone = 0;
    while (Undo(&f.cursor)) ++undone;
    EXPECT_EQ(undone, kJournalSize);
    EXPECT_EQ(f.Text(), typed.substr(0, 300 - kJournalSize) + "\n");
}

TEST(EditCommands, ReplaceSeriesIsOneUndoStep) {
    EditFixture f("a cat and a cat\ncat\n");
    std::string before = f.Text();
    Type(&f.cursor, "!");
    JournalBeginSeries(&f.cursor);
    for (int line = 1; line <= 2; ++line) {
        TextPosition p = PositionAt(f.doc, line, 0);
        std::string text(p.line->text, static_cast<size_t>(p.line->length));
        for (size_t at = text.rfind("cat"); at != std::string::npos; at = at ? text.rfind("cat", at - 1) : std::string::npos) {
            TextPosition from = PositionAt(f.doc, line, static_cast<int>(at));
            DeleteRange(f.doc, from, PositionAt(f.doc, line, static_cast<int>(at) + 3), nullptr);
            InsertTextAt(f.doc, PositionAt(f.doc, line, static_cast<int>(at)), "lion", 4, nullptr);
            if (at == 0) break;
        }
    }
    JournalEndSeries();
    EXPECT_EQ(f.Text(), "!a lion and a lion\nlion\n");
    EXPECT_TRUE(Undo(&f.cursor));
    EXPECT_EQ(f.Text(), "!a cat and a cat\ncat\n");
    EXPECT_TRUE(Undo(&f.cursor));
    EXPECT_EQ(f.Text(), before);
}

TEST(EditCommands, UndoInOneDocumentDropsLaterStepsOfAnother) {
    EditFixture a("x\n", "a.c");
    EditFixture b("y\n", "b.c");
    Type(&a.cursor, "1");
    Type(&b.cursor, "2");
    EXPECT_TRUE(Undo(&a.cursor));
    EXPECT_EQ(a.Text(), "x\n");
    EXPECT_FALSE(Undo(&b.cursor));
    EXPECT_EQ(b.Text(), "2y\n");
}

TEST(EditCommands, TwoCursorsOnOneDocument) {
    EditFixture f("abcdef\nxyz\n");
    EditCursor other;
    AttachCursor(&other, f.doc);
    other.caret = PositionAt(f.doc, 1, 4);
    f.Caret(1, 2);
    Type(&f.cursor, "123");
    EXPECT_EQ(other.caret.column, 7);
    TypeCharacter(&f.cursor, 13, 1, false);
    EXPECT_EQ(other.caret.number, 2);
    EXPECT_EQ(other.caret.column, 2);
    EXPECT_EQ(std::string(other.caret.line->text), "cdef");
    // Deleting the line the other caret stands on moves it to the join.
    f.cursor.anchor = PositionAt(f.doc, 1, 0);
    f.Caret(3, 0);
    DeleteKey(&f.cursor, 1);
    EXPECT_EQ(other.caret.number, 1);
    EXPECT_EQ(other.caret.column, 0);
    EXPECT_EQ(other.caret.line, FirstLine(f.doc));
    DetachCursor(&other);
}

TEST(EditCommands, TypingIntoAFullLineBreaksIt) {
    EditFixture f(std::string(kMaxTypedLineLength, 'a') + "\n");
    f.Caret(1, kMaxTypedLineLength);
    EXPECT_TRUE(Type(&f.cursor, "b"));
    EXPECT_EQ(f.Text(), std::string(kMaxTypedLineLength, 'a') + "\nb\n");
    ASSERT_EQ(f.reports.statuses.size(), 1u);
    EXPECT_EQ(f.reports.statuses[0], "Line too long!");
}

TEST(EditCommands, AutomaticIndentation) {
    struct Case {
        const char* before;
        int line, column;
        const char* after;
    } cases[] = {
        {"\tint x;\n", 1, 7, "\tint x;\n\t\n"},
        {"\tif (a) {\n", 1, 9, "\tif (a) {\n\t\t\n"},
        {"\tif (a)\n\t\tx();\n", 2, 6, "\tif (a)\n\t\tx();\n\t\n"},
        {"\tx();\n\n", 2, 0, "\tx();\n\n\t\n"},
        {"  abc  def\n", 1, 5, "  abc\n  def\n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.before);
        EditFixture f(k.before);
        f.doc->flags |= kDocCSource;
        f.cursor.auto_indent = true;
        f.Caret(k.line, k.column);
        TypeCharacter(&f.cursor, 13, 1, false);
        EXPECT_EQ(f.Text(), k.after);
        Undo(&f.cursor);
        EXPECT_EQ(f.Text(), k.before);
    }
}

TEST(EditCommands, ClosingBraceOutdents) {
    EditFixture f("\tif (a) {\n\t\t\n");
    f.doc->flags |= kDocCSource;
    f.cursor.auto_indent = true;
    f.Caret(2, 2);
    Type(&f.cursor, "}");
    EXPECT_EQ(f.Text(), "\tif (a) {\n\t}\n");
    EXPECT_TRUE(Undo(&f.cursor));
    EXPECT_EQ(f.Text(), "\tif (a) {\n\t\t\n");
}

TEST(EditCommands, TabConversions) {
    struct Case {
        const char* before;
        const char* spaces;
        const char* tabs;
    } cases[] = {
        {"\tx\n", "    x\n", "\tx\n"},
        {"  \t x\n", "     x\n", "\t x\n"},
        {"      y\n", "      y\n", "\t  y\n"},
        {"  z\n", "  z\n", "  z\n"},
        {"a\tb\n", "a\tb\n", "a\tb\n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.before);
        EditFixture f(k.before);
        f.Caret(1, 1);
        ConvertTabsToSpaces(&f.cursor);
        EXPECT_EQ(f.Text(), k.spaces);
        EXPECT_EQ(f.cursor.caret.column, 1);
        while (Undo(&f.cursor)) {
        }
        EXPECT_EQ(f.Text(), k.before);
        ConvertSpacesToTabs(&f.cursor);
        EXPECT_EQ(f.Text(), k.tabs);
        while (Undo(&f.cursor)) {
        }
        EXPECT_EQ(f.Text(), k.before);
    }
    EXPECT_EQ(ExpandTabs("\tab\tc", 5, 4, 498), "    ab  c");
}

TEST(EditCommands, Motions) {
    EditFixture f("  int count = 0;\nfoo(bar[1]);\n");
    f.Caret(1, 8);
    EXPECT_TRUE(MoveCaret(&f.cursor, Motion::Home));
    EXPECT_EQ(f.cursor.caret.column, 2);
    EXPECT_TRUE(MoveCaret(&f.cursor, Motion::Home));
    EXPECT_EQ(f.cursor.caret.column, 0);
    EXPECT_FALSE(MoveCaret(&f.cursor, Motion::Left));
    EXPECT_TRUE(MoveCaret(&f.cursor, Motion::WordRight));
    EXPECT_EQ(f.cursor.caret.column, 2);
    EXPECT_TRUE(MoveCaret(&f.cursor, Motion::WordRight));
    EXPECT_EQ(f.cursor.caret.column, 6);
    EXPECT_TRUE(MoveCaret(&f.cursor, Motion::WordLeft));
    EXPECT_EQ(f.cursor.caret.column, 2);
    f.Caret(2, 3);
    TextPosition match;
    ASSERT_TRUE(FindMatchingBrace(&f.cursor, &match));
    EXPECT_EQ(match.column, 10);
    EXPECT_TRUE(MoveCaret(&f.cursor, Motion::End));
    EXPECT_FALSE(MoveCaret(&f.cursor, Motion::End));
    // Undo of motions puts the caret back where the run of motions began.
    EXPECT_TRUE(Undo(&f.cursor));
    EXPECT_EQ(f.cursor.caret.number, 1);
    EXPECT_EQ(f.cursor.caret.column, 8);
    f.Caret(1, 3);
    EXPECT_TRUE(SelectWord(&f.cursor));
    EXPECT_EQ(f.cursor.anchor.column, 2);
    EXPECT_EQ(f.cursor.caret.column, 5);
}

// Random edits on random places, then undo of everything, must give the text back.
TEST(EditCommands, RandomEditsUndoToTheOriginal) {
    std::mt19937 random(7);
    const std::string original = "int main()\n{\n\treturn 0;\n}\n\n  x\n";
    for (int round = 0; round < 40; ++round) {
        EditFixture f(original);
        f.cursor.auto_indent = round % 2 == 0;
        f.cursor.overwrite = round % 5 == 0;
        for (int step = 0; step < 60; ++step) {
            int line = static_cast<int>(random() % static_cast<unsigned>(f.doc->line_count + 1)) + 1;
            f.Caret(line, static_cast<int>(random() % 12));
            if (random() % 4 == 0) f.Anchor(static_cast<int>(random() % 3) + 1, static_cast<int>(random() % 5));
            const unsigned char keys[] = {'a', '}', 13, 8, 9, ' '};
            switch (random() % 4) {
                case 0: DeleteKey(&f.cursor, 1 + static_cast<int>(random() % 3)); break;
                case 1: PasteClipboard(&f.cursor); break;
                case 2: CutSelection(&f.cursor); break;
                default: TypeCharacter(&f.cursor, keys[random() % 6], 1 + static_cast<int>(random() % 2), false); break;
            }
            DropSelection(&f.cursor);
            ASSERT_TRUE(f.CursorConsistent());
        }
        while (Undo(&f.cursor)) {
        }
        ASSERT_EQ(f.Text(), original) << "round " << round;
    }
}

}  // namespace

#include "editor/line_history.h"

namespace {

TEST(LineHistory, KeepsFiveNewestFirstAndParsesPositiveNumbers) {
    for (const char* n : {"1", "2", "3", "4", "5", "6", "3"}) RememberLineNumber(n);
    EXPECT_EQ(LineHistory(), (std::vector<std::string>{"3", "6", "5", "4", "2"}));
    EXPECT_EQ(ParseLineNumber("42"), 42);
    EXPECT_EQ(ParseLineNumber("0"), 0);
    EXPECT_EQ(ParseLineNumber("-3"), 0);
    EXPECT_EQ(ParseLineNumber("12a"), 0);
    EXPECT_EQ(ParseLineNumber("123456789"), 0);
}

}  // namespace

#include "editor/view_scroll.h"

namespace {

TEST(ViewScroll, RangeHiddenScaledAndPlain) {
    EXPECT_EQ(VerticalScrollRange(10, 20, 3).max, 0);
    ScrollRange plain = VerticalScrollRange(100, 20, 50);
    EXPECT_EQ(plain.min, 1);
    EXPECT_EQ(plain.max, 101);
    EXPECT_EQ(plain.position, 50);
    ScrollRange big = VerticalScrollRange(40000, 20, 12345);
    EXPECT_EQ(big.max, 4000);
    EXPECT_EQ(big.position, 1234);
    EXPECT_EQ(LineOfThumb(40000, 1234), 12340);
}

}  // namespace

namespace {

TEST(EditCommands, RenumberAfterLinesAddedBehindTheEditorsBack) {
    EditFixture f("a\nb\n");
    f.Caret(2, 1);
    InsertLineAfter(f.doc, f.doc->lines, "new", 3);
    EXPECT_FALSE(f.CursorConsistent());
    RenumberCursors(f.doc);
    EXPECT_TRUE(f.CursorConsistent());
    EXPECT_EQ(f.cursor.caret.number, 3);
}

}  // namespace

#include <filesystem>
#include <fstream>

#include "tests/editor/temp_dir.h"

namespace {

TEST(EditCommands, ClipboardToFile) {
    EditFixture f("x\n");
    TempDir dir;
    std::string name = (std::filesystem::path(dir.path) / "clip.txt").string();
    SetClipboardText("");
    EXPECT_FALSE(WriteClipboardToFile(name.c_str()));
    ASSERT_EQ(f.reports.statuses.size(), 1u);
    EXPECT_EQ(f.reports.statuses[0], "Clipboard empty");
    SetClipboardText("one\ntwo");
    EXPECT_TRUE(WriteClipboardToFile(name.c_str()));
    std::ifstream in(name, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "one\r\ntwo\r\n");
}

}  // namespace
