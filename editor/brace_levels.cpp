#include "editor/brace_levels.h"

#include <algorithm>

#include "editor/struct_members.h"

namespace {

constexpr int kStride = 512;  // lines between two remembered scan states

bool g_shown;

// The scan state at the start of lines 1, 1 + kStride, 1 + 2 kStride ... of one
// document, kept while its text does not change, so paging far down stays quick.
struct Checkpoint {
    const TextLine* line;
    int depth;
    CodeState state;
};
struct Checkpoints {
    const TextDocument* doc = nullptr;
    uint32_t generation = 0;
    std::vector<Checkpoint> points;
} g_cache;

void CountBraces(void* context, const char* text, int length, bool identifier) {
    int* depth = static_cast<int*>(context);
    if (identifier || length != 1) return;
    if (*text == '{') ++*depth;
    else if (*text == '}' && *depth > 0) --*depth;
}

// The index of the checkpoint at or before line `number`, remembering new ones on the way.
size_t CheckpointBefore(const TextDocument* doc, int number) {
    if (g_cache.doc != doc || g_cache.generation != doc->text_generation || g_cache.points.empty()) {
        g_cache.doc = doc;
        g_cache.generation = doc->text_generation;
        g_cache.points.assign(1, Checkpoint{FirstLine(doc), 0, CodeState{}});
    }
    size_t wanted = static_cast<size_t>((number - 1) / kStride);
    while (g_cache.points.size() <= wanted) {
        Checkpoint p = g_cache.points.back();
        int n = 0;
        for (; p.line && n < kStride; p.line = NextLine(doc, p.line), ++n)
            ScanCodeLine(p.line->text, p.line->length, &p.state, CountBraces, &p.depth);
        if (!p.line) break;
        g_cache.points.push_back(p);
    }
    return std::min(wanted, g_cache.points.size() - 1);
}

}  // namespace

std::vector<int> BraceLevels(const TextDocument* doc, int first, int count) {
    std::vector<int> levels;
    if (!FirstLine(doc) || first < 1) return levels;
    size_t index = CheckpointBefore(doc, first);
    Checkpoint p = g_cache.points[index];
    int number = 1 + static_cast<int>(index) * kStride;
    for (const TextLine* l = p.line; l && number < first + count; l = NextLine(doc, l), ++number) {
        if (number >= first) levels.push_back(p.depth);
        ScanCodeLine(l->text, l->length, &p.state, CountBraces, &p.depth);
    }
    return levels;
}

bool BraceLevelsShown() { return g_shown; }
void ToggleBraceLevels() { g_shown = !g_shown; }
