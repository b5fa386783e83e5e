#include "editor/marked_ranges.h"

#include <algorithm>
#include <climits>

#include "editor/block_alloc.h"
#include "editor/text_tabs.h"
#include "shell/report.h"

bool AddMarkedRange(TextDocument* doc, int start_line, int start_column, int end_line, int end_column) {
    auto* range = static_cast<MarkedRange*>(AllocateBlock(sizeof(MarkedRange)));
    if (!range) return false;
    *range = MarkedRange{nullptr, start_line, end_line, start_column, end_column};
    MarkedRange** at = &doc->marked_ranges;
    while (*at && (*at)->start_line <= start_line) at = &(*at)->next;
    range->next = *at;
    *at = range;
    return true;
}

void ClearMarkedRanges(TextDocument* doc) {
    while (MarkedRange* r = doc->marked_ranges) {
        doc->marked_ranges = r->next;
        ReleaseBlock(r);
    }
}

int MarkedRangeCount(const TextDocument* doc) {
    int n = 0;
    for (const MarkedRange* r = doc->marked_ranges; r; r = r->next) ++n;
    return n;
}

void DropInvalidMarkedRanges(TextDocument* doc) {
    for (MarkedRange** at = &doc->marked_ranges; *at;) {
        MarkedRange* r = *at;
        int error = 0;
        if (r->start_line < 1 || r->end_line < r->start_line ||
            (r->end_line == r->start_line && r->end_column < r->start_column) || r->start_column < 0)
            error = 4201;
        else if (r->end_line > doc->line_count)
            error = 4202;
        if (!error) {
            at = &r->next;
            continue;
        }
        InternalError(error);
        *at = r->next;
        ReleaseBlock(r);
    }
}

std::vector<ColumnSpan> MarkedColumns(const TextDocument* doc, int number, const TextLine* line, int tab_width) {
    std::vector<ColumnSpan> spans;
    for (const MarkedRange* r = doc->marked_ranges; r && r->start_line <= number; r = r->next) {
        if (r->end_line < number) continue;
        int from = r->start_line == number ? std::min(r->start_column, static_cast<int>(line->length)) : 0;
        int from_x = ExpandedColumn(line->text, line->length, from, tab_width);
        int to_x = INT_MAX;
        if (r->end_line == number && r->end_column < line->length)
            to_x = ExpandedColumn(line->text, line->length, r->end_column, tab_width);
        if (to_x > from_x) spans.push_back(ColumnSpan{from_x, to_x == INT_MAX ? INT_MAX - from_x : to_x - from_x});
    }
    return spans;
}

std::vector<ColourSpan> OverlayMarked(const std::vector<ColourSpan>& spans, const std::vector<ColumnSpan>& marked) {
    if (marked.empty()) return spans;
    auto covered = [&](int column) {
        for (const ColumnSpan& m : marked)
            if (column >= m.start && column - m.start < m.length) return true;
        return false;
    };
    std::vector<ColourSpan> out;
    for (const ColourSpan& s : spans) {
        // Cut the span wherever coverage changes.
        int start = s.start;
        while (start < s.start + s.length) {
            bool in = covered(start);
            int end = start + 1;
            while (end < s.start + s.length && covered(end) == in) ++end;
            out.push_back(ColourSpan{start, end - start, in ? ColourKind::Marked : s.kind});
            start = end;
        }
    }
    return out;
}
