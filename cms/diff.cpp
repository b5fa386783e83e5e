#include "cms/diff.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdint>
#include <deque>

namespace {

constexpr int kSnakeLimit = 20;       // a snake this long makes a cut-off point worth taking
constexpr int kHeuristicCost = 200;   // search steps before the heuristic may cut
constexpr int kMinimumCostCap = 1024; // search steps after which the best diagonal so far is taken

const uint32_t kTableSizes[] = {509,     1021,    2039,     4093,     8191,     16381,
                                32749,   65521,   131071,   262139,   524287,   1048573,
                                2097143, 4194301, 8388593,  16777213, 33554393, 67108859};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Fold(char c, bool upper) { return upper && c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// The line as compared under the options: its text without the line break, blanks folded.
std::string_view Body(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    return line;
}

void Normalise(std::string_view line, const DiffOptions& o, std::string& out) {
    out.clear();
    std::string_view body = Body(line);
    for (size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (o.ignore_white_space && IsBlank(c)) {
            size_t j = i;
            while (j < body.size() && IsBlank(body[j])) ++j;
            if (j < body.size()) out.push_back(' ');
            i = j - 1;
            continue;
        }
        out.push_back(Fold(c, o.ignore_case));
    }
    if (!o.ignore_white_space && line.size() != body.size()) out.push_back('\n');
}

uint32_t HashText(std::string_view s) {
    uint32_t h = 0;
    for (char c : s) h = uint32_t(int32_t(static_cast<signed char>(c))) + ((h << 7) | (h >> 25));
    return h;
}

// Numbers the lines of both texts so that equal lines share a class; class 0 is kept
// for the common ends, which never enter the table.
struct Classifier {
    const DiffOptions& options;
    bool exact;  // no options: lines are compared as they are, without copies
    std::vector<uint32_t> heads;
    struct Entry { uint32_t hash; uint32_t next; std::string_view text; };
    std::vector<Entry> classes{Entry{0, UINT32_MAX, {}}};
    std::deque<std::string> normalised;
    std::string scratch;

    Classifier(const DiffOptions& o, size_t lines)
        : options(o), exact(!o.ignore_white_space && !o.ignore_case) {
        size_t want = (lines + 4) / 3;
        uint32_t size = kTableSizes[0];
        for (uint32_t s : kTableSizes) {
            size = s;
            if (s >= want) break;
        }
        heads.assign(size, UINT32_MAX);
        classes.reserve(lines + 1);
    }

    int Classify(std::string_view line) {
        std::string_view key = line;
        if (!exact) {
            Normalise(line, options, scratch);
            key = scratch;
        }
        uint32_t h = HashText(key);
        uint32_t& head = heads[h % heads.size()];
        for (uint32_t e = head; e != UINT32_MAX; e = classes[e].next)
            if (classes[e].hash == h && classes[e].text == key) return int(e);
        if (!exact) key = normalised.emplace_back(scratch);
        classes.push_back(Entry{h, head, key});
        head = uint32_t(classes.size() - 1);
        return int(classes.size() - 1);
    }
};

// One text's side of the comparison.
struct Side {
    std::vector<int> cls;        // class per line (whole text)
    std::vector<char> changed;   // per line, one extra at each end as a sentinel
    std::vector<int> seq;        // classes of the lines that take part in the search
    std::vector<int> index;      // their line numbers
    bool Changed(int i) const { return changed[size_t(i) + 1] != 0; }
    void Mark(int i, char v = 1) { changed[size_t(i) + 1] = v; }
};

// Lines whose class never occurs in the other text, or so often that they would only
// confuse the search, are set aside as changed before it starts.
void DiscardConfusingLines(Side& s, const Side& other, int lo, int hi, int other_lo, int other_hi,
                           size_t classes) {
    std::vector<int> counts(classes, 0);
    for (int i = other_lo; i < other_hi; ++i) ++counts[size_t(other.cls[size_t(i)])];
    int many = 5;
    for (int t = int(s.cls.size()) / 64; (t /= 4) > 0;) many *= 2;
    std::vector<char> mark(size_t(hi - lo), 0);  // 1 discarded, 2 provisional
    for (int i = lo; i < hi; ++i) {
        int n = counts[size_t(s.cls[size_t(i)])];
        mark[size_t(i - lo)] = n == 0 ? 1 : n > many ? 2 : 0;
    }
    int n = hi - lo;
    for (int i = 0; i < n; ++i) {
        if (!mark[size_t(i)]) continue;
        int j = i, provisional = 0;
        while (j < n && mark[size_t(j)]) provisional += mark[size_t(j++)] == 2;
        while (j > i && mark[size_t(j - 1)] == 2) mark[size_t(--j)] = 0, --provisional;
        int length = j - i;
        auto at = [&](int k) -> char& { return mark[size_t(i + k)]; };
        if (length < 4 * provisional) {
            for (int k = 0; k < length; ++k)
                if (at(k) == 2) at(k) = 0;
        } else if (length > 0) {
            int minimum = 1;
            for (int t = length / 4; (t /= 4) > 0;) minimum *= 2;
            ++minimum;
            for (int k = 0; k < length;) {
                if (at(k) != 2) { ++k; continue; }
                int e = k;
                while (e < length && at(e) == 2) ++e;
                if (e - k >= minimum)
                    for (int q = k; q < e; ++q) at(q) = 0;
                k = e;
            }
            for (int k = 0, consec = 0; k < length; ++k) {
                if (k >= 8 && at(k) == 1) break;
                if (at(k) == 2) consec = 0, at(k) = 0;
                else if (at(k) == 0) consec = 0;
                else if (++consec == 3) break;
            }
            for (int k = length - 1, consec = 0; k >= 0; --k) {
                if (length - 1 - k >= 8 && at(k) == 1) break;
                if (at(k) == 2) consec = 0, at(k) = 0;
                else if (at(k) == 0) consec = 0;
                else if (++consec == 3) break;
            }
        }
        i = std::max(i, j);
    }
    for (int i = lo; i < hi; ++i) {
        if (mark[size_t(i - lo)]) {
            s.Mark(i);
        } else {
            s.seq.push_back(s.cls[size_t(i)]);
            s.index.push_back(i);
        }
    }
}

struct Partition {
    int xmid, ymid;
    bool lo_minimal, hi_minimal;
};

// Myers' search for the middle snake from both ends, with the cut-offs that keep very
// different inputs from costing quadratic time.
struct Comparer {
    Side& a;
    Side& b;
    const int* xv;
    const int* yv;
    std::vector<int> fdiag, bdiag;
    int offset;
    int too_expensive;

    Comparer(Side& x, Side& y) : a(x), b(y), xv(x.seq.data()), yv(y.seq.data()) {
        int diags = int(x.seq.size() + y.seq.size()) + 3;
        fdiag.assign(size_t(diags), 0);
        bdiag.assign(size_t(diags), 0);
        offset = int(y.seq.size()) + 1;
        too_expensive = 1;
        for (int d = diags; d != 0; d >>= 2) too_expensive <<= 1;
        too_expensive = std::max(kMinimumCostCap, too_expensive);
    }

    int& fd(int d) { return fdiag[size_t(d + offset)]; }
    int& bd(int d) { return bdiag[size_t(d + offset)]; }

    bool SameRun(int x, int y, int from, int count) const {
        for (int k = 0; k < count; ++k)
            if (xv[x + from + k] != yv[y + from + k]) return false;
        return true;
    }

    Partition Diag(int xoff, int xlim, int yoff, int ylim, bool find_minimal) {
        const int dmin = xoff - ylim, dmax = xlim - yoff;
        const int fmid = xoff - yoff, bmid = xlim - ylim;
        int fmin = fmid, fmax = fmid, bmin = bmid, bmax = bmid;
        const bool odd = ((fmid - bmid) & 1) != 0;
        fd(fmid) = xoff;
        bd(bmid) = xlim;
        for (int c = 1;; ++c) {
            bool big_snake = false;
            if (fmin > dmin) fd(--fmin - 1) = -1; else ++fmin;
            if (fmax < dmax) fd(++fmax + 1) = -1; else --fmax;
            for (int d = fmax; d >= fmin; d -= 2) {
                int tlo = fd(d - 1), thi = fd(d + 1);
                int x = tlo >= thi ? tlo + 1 : thi;
                int oldx = x, y = x - d;
                while (x < xlim && y < ylim && xv[x] == yv[y]) ++x, ++y;
                if (x - oldx > kSnakeLimit) big_snake = true;
                fd(d) = x;
                if (odd && bmin <= d && d <= bmax && bd(d) <= x) return {x, y, true, true};
            }
            if (bmin > dmin) bd(--bmin - 1) = INT_MAX; else ++bmin;
            if (bmax < dmax) bd(++bmax + 1) = INT_MAX; else --bmax;
            for (int d = bmax; d >= bmin; d -= 2) {
                int tlo = bd(d - 1), thi = bd(d + 1);
                int x = tlo < thi ? tlo : thi - 1;
                int oldx = x, y = x - d;
                while (x > xoff && y > yoff && xv[x - 1] == yv[y - 1]) --x, --y;
                if (oldx - x > kSnakeLimit) big_snake = true;
                bd(d) = x;
                if (!odd && fmin <= d && d <= fmax && x <= fd(d)) return {x, y, true, true};
            }
            if (find_minimal) continue;

            if (c > kHeuristicCost && big_snake) {
                int best = 0;
                Partition part{};
                for (int d = fmax; d >= fmin; d -= 2) {
                    int dd = d - fmid, x = fd(d), y = x - d;
                    int v = 2 * (x - xoff) - dd;
                    if (v > 12 * (c + std::abs(dd)) && v > best && x > xoff + kSnakeLimit && x <= xlim &&
                        y > yoff + kSnakeLimit && y <= ylim && SameRun(x, y, -kSnakeLimit, kSnakeLimit)) {
                        best = v;
                        part = {x, y, true, false};
                    }
                }
                if (best > 0) return part;
                for (int d = bmax; d >= bmin; d -= 2) {
                    int dd = d - bmid, x = bd(d), y = x - d;
                    int v = 2 * (xlim - x) + dd;
                    if (v > 12 * (c + std::abs(dd)) && v > best && 2 * (xlim - x) > 2 * kSnakeLimit &&
                        x >= xoff && ylim - y > kSnakeLimit && y >= yoff && SameRun(x, y, 0, kSnakeLimit)) {
                        best = v;
                        part = {x, y, false, true};
                    }
                }
                if (best > 0) return part;
            }

            if (c >= too_expensive) {
                // Cut here: take the diagonal that got furthest, forwards or backwards.
                int fxybest = -1, fxbest = 0;
                for (int d = fmax; d >= fmin; d -= 2) {
                    int x = std::min(fd(d), xlim), y = x - d;
                    if (ylim < y) x = ylim + d, y = ylim;
                    if (fxybest < x + y) fxybest = x + y, fxbest = x;
                }
                int bxybest = INT_MAX, bxbest = 0;
                for (int d = bmax; d >= bmin; d -= 2) {
                    int x = std::max(xoff, bd(d)), y = x - d;
                    if (y < yoff) x = yoff + d, y = yoff;
                    if (x + y < bxybest) bxybest = x + y, bxbest = x;
                }
                if ((xlim + ylim) - bxybest < fxybest - (xoff + yoff))
                    return {fxbest, fxybest - fxbest, true, false};
                return {bxbest, bxybest - bxbest, false, true};
            }
        }
    }

    void Compare(int xoff, int xlim, int yoff, int ylim, bool find_minimal) {
        for (;;) {
            while (xoff < xlim && yoff < ylim && xv[xoff] == yv[yoff]) ++xoff, ++yoff;
            while (xlim > xoff && ylim > yoff && xv[xlim - 1] == yv[ylim - 1]) --xlim, --ylim;
            if (xoff == xlim) {
                while (yoff < ylim) b.Mark(b.index[size_t(yoff++)]);
                return;
            }
            if (yoff == ylim) {
                while (xoff < xlim) a.Mark(a.index[size_t(xoff++)]);
                return;
            }
            Partition p = Diag(xoff, xlim, yoff, ylim, find_minimal);
            // Recurse on the smaller half, loop on the larger: the stack stays shallow.
            if ((p.xmid - xoff) + (p.ymid - yoff) < (xlim - p.xmid) + (ylim - p.ymid)) {
                Compare(xoff, p.xmid, yoff, p.ymid, p.lo_minimal);
                xoff = p.xmid, yoff = p.ymid, find_minimal = p.hi_minimal;
            } else {
                Compare(p.xmid, xlim, p.ymid, ylim, p.hi_minimal);
                xlim = p.xmid, ylim = p.ymid, find_minimal = p.lo_minimal;
            }
        }
    }
};

// Moves each run of changes as far towards the end as equal lines allow, so that
// equivalent results come out in one canonical place.
void ShiftBoundaries(Side& s, const Side& other) {
    const int n = int(s.cls.size()), other_n = int(other.cls.size());
    int i = 0, j = 0;
    for (;;) {
        while (i < n && !s.Changed(i)) {
            while (j < other_n && other.Changed(j)) ++j;
            ++i, ++j;
        }
        if (i >= n) return;
        int start = i;
        while (i < n && s.Changed(i)) ++i;
        // [start, i) is the run; j is the matching place in the other text, where a change
        // would make this a replacement that must stay put.
        while (i < n && s.cls[size_t(start)] == s.cls[size_t(i)] && !(j < other_n && other.Changed(j)) &&
               (start == 0 || !s.Changed(start - 1))) {
            s.Mark(start++, 0);
            s.Mark(i++);
            ++j;
            while (i < n && s.Changed(i)) ++i;
        }
    }
}

std::vector<Hunk> BuildHunks(const Side& a, const Side& b) {
    std::vector<Hunk> hunks;
    const int n = int(a.cls.size()), m = int(b.cls.size());
    int i = 0, j = 0;
    while (i < n || j < m) {
        if ((i < n && a.Changed(i)) || (j < m && b.Changed(j))) {
            Hunk h;
            h.before1 = i, h.before2 = j;
            while (i < n && a.Changed(i)) ++i;
            while (j < m && b.Changed(j)) ++j;
            h.deleted = i - h.before1;
            h.inserted = j - h.before2;
            h.first1 = h.deleted ? h.before1 + 1 : 0;
            h.first2 = h.inserted ? h.before2 + 1 : 0;
            hunks.push_back(h);
        } else {
            ++i, ++j;
        }
    }
    return hunks;
}

}  // namespace

std::vector<Hunk> DiffLines(const LineList& a, const LineList& b, const DiffOptions& options) {
    const int n = int(a.size()), m = int(b.size());
    int prefix = 0;
    while (prefix < n && prefix < m && a[size_t(prefix)] == b[size_t(prefix)]) ++prefix;
    if (prefix == n && n == m) return {};
    int suffix = 0;
    while (suffix < n - prefix && suffix < m - prefix && a[size_t(n - 1 - suffix)] == b[size_t(m - 1 - suffix)])
        ++suffix;

    Side sa, sb;
    sa.cls.assign(size_t(n), 0);
    sb.cls.assign(size_t(m), 0);
    sa.changed.assign(size_t(n) + 2, 0);
    sb.changed.assign(size_t(m) + 2, 0);
    Classifier classifier(options, size_t(n + m - 2 * (prefix + suffix)));
    for (int i = prefix; i < n - suffix; ++i) sa.cls[size_t(i)] = classifier.Classify(a[size_t(i)]);
    for (int i = prefix; i < m - suffix; ++i) sb.cls[size_t(i)] = classifier.Classify(b[size_t(i)]);

    DiscardConfusingLines(sa, sb, prefix, n - suffix, prefix, m - suffix, classifier.classes.size());
    DiscardConfusingLines(sb, sa, prefix, m - suffix, prefix, n - suffix, classifier.classes.size());

    Comparer comparer(sa, sb);
    comparer.Compare(0, int(sa.seq.size()), 0, int(sb.seq.size()), options.minimal);

    ShiftBoundaries(sa, sb);
    ShiftBoundaries(sb, sa);
    return BuildHunks(sa, sb);
}

std::string DeleteCommand(const Hunk& h) {
    if (!h.deleted) return {};
    char text[40];
    snprintf(text, sizeof text, "d%d %d\n", h.first1, h.deleted);
    return text;
}

std::string AddCommand(const Hunk& h) {
    if (!h.inserted) return {};
    char text[40];
    snprintf(text, sizeof text, "a%d %d\n", h.before1 + h.deleted, h.inserted);
    return text;
}

std::string FormatEditScript(const std::vector<Hunk>& hunks, const LineList& b) {
    std::string script;
    for (const Hunk& h : hunks) {
        script += DeleteCommand(h);
        script += AddCommand(h);
        for (int k = 0; k < h.inserted; ++k) script.append(b[size_t(h.before2 + k)]);
    }
    return script;
}

int CountChangedLines(const std::vector<Hunk>& hunks) {
    int n = 0;
    for (const Hunk& h : hunks) n += h.deleted + h.inserted;
    return n;
}

int CompareFiles(DiffRequest& request) {
    std::string text1, text2;
    if (!ReadTextFile(request.file1, text1) || !ReadTextFile(request.file2, text2)) return 2;
    LineList a = SplitLines(text1), b = SplitLines(text2);
    request.hunks = DiffLines(a, b, request.options);
    if (!request.memory && !request.script_file.empty()) {
        std::string error;
        if (!ReplaceFileAtomically(request.script_file, FormatEditScript(request.hunks, b), error)) return 2;
    }
    bool differ = !request.hunks.empty();
    if (!request.memory) request.hunks.clear();
    return differ ? 1 : 0;
}
