// Editing steps on a 1,000,000-line document in the core: typing a character (with its
// journal step), paging down and colouring the rows of a page, and undoing a replace
// series of 10,000 replacements; what the view adds per step: the caret's status text
// (rescanning the functions after an edit) and the brace levels of a page.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "analysis/document_scan.h"
#include "analysis/language.h"
#include "editor/brace_levels.h"
#include "editor/caret_status.h"
#include "editor/edit_cursor.h"
#include "editor/edit_motion.h"
#include "editor/edit_text.h"
#include "editor/edit_typing.h"
#include "editor/line_colouring.h"
#include "editor/text_tabs.h"
#include "editor/undo_journal.h"

namespace {

constexpr int kLines = 1000000;
constexpr int kRows = 50;

TextDocument* BigDocument(const char* name, int lines) {
    TextDocument* doc = FindDocument(name, true);
    ClearLines(doc);
    const char* bodies[] = {"\tint count = 0;  /* counter */", "\tfor (i = 0; i < n; i++) {", "\t\ttotal += values[i] * 3;",
                            "\t}", "\treturn report(\"overflow\", total);"};
    TextLine* last = doc->lines;
    for (int i = 0; i < lines; ++i) {
        const char* text = bodies[i % 5];
        last = InsertLineAfter(doc, last, text, static_cast<int>(std::char_traits<char>::length(text)));
    }
    doc->language = LanguageForFileName("bench.c");
    return doc;
}

void TypeCharacterStep(benchmark::State& state) {
    TextDocument* doc = BigDocument("bench_typing.c", kLines);
    EditCursor cursor;
    AttachCursor(&cursor, doc);
    cursor.caret = PositionAt(doc, kLines / 2, 3);
    JournalReset();
    int n = 0;
    for (auto _ : state) {
        // Type along a line and start the next one now and then, as a typist does.
        TypeCharacter(&cursor, 'x', 1, false);
        if (++n % 60 == 0) TypeCharacter(&cursor, 13, 1, false);
    }
    DetachCursor(&cursor);
    JournalReset();
    FreeDocument(doc);
}
BENCHMARK(TypeCharacterStep);

void PageDownStep(benchmark::State& state) {
    TextDocument* doc = BigDocument("bench_paging.c", kLines);
    EditCursor cursor;
    AttachCursor(&cursor, doc);
    std::vector<ColourSpan> spans;
    for (auto _ : state) {
        if (!MoveCaret(&cursor, Motion::PageDown, kRows)) MoveCaret(&cursor, Motion::Top);
        KeepCaretVisible(&cursor, kRows);
        // What the view rebuilds for the new page: expanded and coloured rows.
        int comment = 0;
        TextPosition p = cursor.top;
        for (int r = 0; r < kRows && !IsHead(doc, p); ++r, p = {p.line->next, p.number + 1, 0}) {
            std::string row = ExpandTabs(p.line->text, p.line->length, 4, 498) + ' ';
            ColourLine(doc->language, row.data(), static_cast<int>(row.size()), &comment, &spans);
        }
        benchmark::DoNotOptimize(spans.data());
    }
    DetachCursor(&cursor);
    JournalReset();
    FreeDocument(doc);
}
BENCHMARK(PageDownStep);

void UndoReplaceSeries(benchmark::State& state) {
    TextDocument* doc = BigDocument("bench_replace.c", 10000);
    EditCursor cursor;
    AttachCursor(&cursor, doc);
    for (auto _ : state) {
        state.PauseTiming();
        JournalReset();
        JournalBeginSeries(&cursor);
        TextPosition p = StartOf(doc);
        for (int i = 0; i < 10000; ++i, p = {p.line->next, p.number + 1, 0}) {
            TextPosition end;
            DeleteRange(doc, {p.line, p.number, 1}, {p.line, p.number, 2}, nullptr);
            InsertTextAt(doc, {p.line, p.number, 1}, "replacement", 11, &end);
            p.line = end.line;
        }
        JournalEndSeries();
        state.ResumeTiming();
        Undo(&cursor);
    }
    DetachCursor(&cursor);
    JournalReset();
    FreeDocument(doc);
}
BENCHMARK(UndoReplaceSeries)->Unit(benchmark::kMillisecond);

// A keystroke and the status text after it, which finds the caret's function again.
void TypeWithStatusStep(benchmark::State& state) {
    InstallAnalysisHooks();
    TextDocument* doc = BigDocument("bench_status.c", static_cast<int>(state.range(0)));
    EditCursor cursor;
    AttachCursor(&cursor, doc);
    cursor.caret = PositionAt(doc, doc->line_count / 2, 3);
    JournalReset();
    for (auto _ : state) {
        TypeCharacter(&cursor, 'x', 1, false);
        benchmark::DoNotOptimize(CaretStatusText(doc, cursor.caret));
    }
    DetachCursor(&cursor);
    JournalReset();
    FreeDocument(doc);
}
BENCHMARK(TypeWithStatusStep)->Arg(10000)->Arg(kLines)->Unit(benchmark::kMillisecond);

void BraceLevelsOfTheLastPage(benchmark::State& state) {
    TextDocument* doc = BigDocument("bench_levels.c", kLines);
    for (auto _ : state) benchmark::DoNotOptimize(BraceLevels(doc, kLines - kRows + 1, kRows));
    FreeDocument(doc);
}
BENCHMARK(BraceLevelsOfTheLastPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
