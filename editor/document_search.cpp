#include "editor/document_search.h"

#include <algorithm>
#include <climits>

#include "editor/char_class.h"
#include "editor/edit_text.h"
#include "editor/text_search.h"
#include "editor/undo_journal.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

struct Lines {
    int first, last;
};

Lines Clamp(const TextDocument* doc, const SearchBounds& bounds) {
    Lines r{bounds.first > 0 ? bounds.first : 1, bounds.last > 0 ? bounds.last : doc->line_count};
    if (r.last > doc->line_count) r.last = doc->line_count;
    return r;
}

bool SpansLines(const LineMatcher& m) {
    return !(m.flags & (kFindRegularExpression | kFindSimilarWords)) && m.text.find('\n') != std::string::npos;
}

// An exact text holding LF: its first piece ends `line`, whole pieces fill the lines
// between, the last piece starts the line after them.
bool SpanMatches(const TextDocument* doc, const LineMatcher& m, const TextLine* line, int column) {
    bool ignore_case = m.flags & kFindIgnoreCase;
    bool whole = m.flags & kFindWholeWords;
    if (column < 0) return false;
    if (whole && column > 0 && IsIdentifierChar(line->text[column - 1])) return false;
    size_t piece_start = 0;
    for (;;) {
        size_t piece_end = m.text.find('\n', piece_start);
        bool last = piece_end == std::string::npos;
        int n = static_cast<int>((last ? m.text.size() : piece_end) - piece_start);
        const char* piece = m.text.data() + piece_start;
        if (last) {
            if (line->length < n || !SameText(line->text, piece, n, ignore_case)) return false;
            return !whole || n >= line->length || !IsIdentifierChar(line->text[n]);
        }
        int at = piece_start == 0 ? column : 0;
        if (line->length - at != n || !SameText(line->text + at, piece, n, ignore_case)) return false;
        line = NextLine(doc, line);
        if (!line) return false;
        piece_start = piece_end + 1;
    }
}

// The one column of the line where an exact text holding LF can start, when it does; or -1.
int SpanStart(const TextDocument* doc, const LineMatcher& m, const TextLine* line) {
    int column = line->length - static_cast<int>(m.text.find('\n'));
    return SpanMatches(doc, m, line, column) ? column : -1;
}

// The first match in the line starting in [from, limit).
bool ForwardInLine(const TextDocument* doc, const LineMatcher& m, TextLine* line, int number, int from, int limit,
                   DocumentMatch* out) {
    int at, n;
    if (SpansLines(m)) {
        at = SpanStart(doc, m, line);
        n = static_cast<int>(m.text.size());
        if (at < from) return false;
    } else {
        at = MatchForward(m, line->text, line->length, from, &n);
        if (at < 0) return false;
    }
    if (at >= limit) return false;
    *out = {line, number, at, n};
    return true;
}

// The last match in the line starting in [lowest, before).
bool BackwardInLine(const TextDocument* doc, const LineMatcher& m, TextLine* line, int number, int before, int lowest,
                    DocumentMatch* out) {
    int at, n;
    if (SpansLines(m)) {
        at = SpanStart(doc, m, line);
        n = static_cast<int>(m.text.size());
        if (at < 0 || at >= before) return false;
    } else {
        at = MatchBackward(m, line->text, line->length, std::min(before, line->length + 1), &n);
        if (at < 0) return false;
    }
    if (at < lowest) return false;
    *out = {line, number, at, n};
    return true;
}

bool FindForward(const TextDocument* doc, const LineMatcher& m, Lines r, int number, int column, DocumentMatch* out) {
    TextLine* line = LineAt(doc, number);
    for (int n = number, from = column; line && n <= r.last; line = NextLine(doc, line), ++n, from = 0)
        if (ForwardInLine(doc, m, line, n, from, INT_MAX, out)) return true;
    if (!(m.flags & kFindWrap)) return false;
    line = LineAt(doc, r.first);
    for (int n = r.first; line && n <= number; line = NextLine(doc, line), ++n)
        if (ForwardInLine(doc, m, line, n, 0, n == number ? column : INT_MAX, out)) return true;
    return false;
}

bool FindBackward(const TextDocument* doc, const LineMatcher& m, Lines r, int number, int column, DocumentMatch* out) {
    TextLine* line = LineAt(doc, number);
    for (int n = number, before = column; line && n >= r.first; line = line->previous, --n, before = INT_MAX)
        if (BackwardInLine(doc, m, line, n, before, 0, out)) return true;
    if (!(m.flags & kFindWrap)) return false;
    line = LineAt(doc, r.last);
    for (int n = r.last; line && n >= number; line = line->previous, --n)
        if (BackwardInLine(doc, m, line, n, INT_MAX, n == number ? column : 0, out)) return true;
    return false;
}

struct Collector {
    const LineMatcher& matcher;
    ConfirmReplace confirm;
    void* context;
    bool ask;
    std::vector<Replacement> found;

    // Matches of the line from `from` that end by `end_limit`; false after Cancel.
    bool Line(TextLine* line, int number, int from, int end_limit) {
        int previous_end = -1;
        for (int at = from; at <= line->length;) {
            int n;
            int m = MatchForward(matcher, line->text, line->length, at, &n);
            if (m < 0 || m + n > end_limit) break;
            if (n == 0 && m == previous_end) {
                at = m + 1;
                continue;
            }
            if (ask && confirm) {
                ReplaceAnswer answer = confirm(context, {line, number, m, n});
                if (answer == ReplaceAnswer::Cancel) return false;
                if (answer == ReplaceAnswer::No) {
                    at = m + 1;
                    continue;
                }
                if (answer == ReplaceAnswer::All) ask = false;
            }
            found.push_back({line, number, m, n});
            previous_end = m + n;
            at = n == 0 ? m + 1 : m + n;
        }
        return true;
    }
};

}  // namespace

bool FindInDocument(const TextDocument* doc, const LineMatcher& matcher, int number, int column, DocumentMatch* out,
                    const SearchBounds& bounds) {
    Lines r = Clamp(doc, bounds);
    if (r.first > r.last) return false;
    if (number < r.first) {
        number = r.first;
        column = 0;
    } else if (number > r.last) {
        number = r.last;
        column = INT_MAX;
    }
    if (matcher.flags & kFindBackwards) return FindBackward(doc, matcher, r, number, column, out);
    return FindForward(doc, matcher, r, number, column, out);
}

std::vector<Replacement> CollectReplacements(const TextDocument* doc, const LineMatcher& matcher, int number,
                                             int column, ConfirmReplace confirm, void* context,
                                             const SearchBounds& bounds) {
    Collector c{matcher, confirm, context, (matcher.flags & kFindConfirm) != 0, {}};
    Lines r = Clamp(doc, bounds);
    if (number < r.first) {
        number = r.first;
        column = 0;
    }
    TextLine* line = LineAt(doc, number);
    for (int n = number, from = column; line && n <= r.last; line = NextLine(doc, line), ++n, from = 0)
        if (!c.Line(line, n, from, INT_MAX)) return c.found;
    if (matcher.flags & kFindWrap) {
        line = LineAt(doc, r.first);
        for (int n = r.first; line && n <= number && n <= r.last; line = NextLine(doc, line), ++n)
            if (!c.Line(line, n, 0, n == number ? column : INT_MAX)) break;
    }
    return c.found;
}

bool ApplyReplacements(TextDocument* doc, const std::vector<Replacement>& replacements, const std::string& replacement,
                       const EditCursor* series) {
    std::vector<Replacement> sorted = replacements;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Replacement& a, const Replacement& b) {
        return a.number != b.number ? a.number < b.number : a.column < b.column;
    });
    for (size_t i = 0; i < sorted.size();) {
        const TextLine* line = sorted[i].line;
        long length = line->length;
        for (; i < sorted.size() && sorted[i].line == line; ++i)
            length += static_cast<long>(replacement.size()) - sorted[i].length;
        if (length > kMaxTextLineLength) {
            ShowErrorId(4001);
            return false;
        }
    }
    if (series) JournalBeginSeries(series);
    // From the last to the first, so the places still to change do not move; lines
    // before the one changed are untouched, so the walk back from it stays valid.
    TextPosition near = EndOf(doc);
    bool ok = true;
    for (auto r = sorted.rbegin(); r != sorted.rend() && ok; ++r) {
        TextPosition from = PositionNear(doc, near, r->number, r->column);
        TextPosition to{from.line, from.number, from.column + r->length};
        ok = DeleteRange(doc, from, to, nullptr) &&  // shrinking keeps the line record in place
             InsertTextAt(doc, from, replacement.data(), static_cast<int>(replacement.size()), &near);
    }
    if (series) JournalEndSeries();
    return ok;
}

int ReplaceInDocument(TextDocument* doc, const LineMatcher& matcher, const std::string& replacement, int number,
                      int column, ConfirmReplace confirm, void* context, const SearchBounds& bounds,
                      const EditCursor* series) {
    std::vector<Replacement> found = CollectReplacements(doc, matcher, number, column, confirm, context, bounds);
    if (found.empty()) {
        StringNotFound();
        return 0;
    }
    if (!ApplyReplacements(doc, found, replacement, series)) return -1;
    ShowStatus(FormatText(MessageText(4003), static_cast<int>(found.size())));
    return static_cast<int>(found.size());
}
