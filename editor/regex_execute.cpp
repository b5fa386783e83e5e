// Pike VM: all threads advance together over the line, one step per character, and a
// thread list holds each instruction at most once, so a line costs at most its length
// times the program size. Threads are kept in priority order, which reproduces the
// match a backtracking matcher would choose.
#include <cstring>

#include "editor/char_class.h"
#include "editor/regex.h"
#include "editor/text_search.h"

namespace {

struct ThreadList {
    std::vector<int> dense, sparse, caps;
    int count = 0;

    void Reset(size_t instructions, int slots) {
        if (dense.size() < instructions) {
            dense.resize(instructions);
            sparse.resize(instructions);
        }
        if (caps.size() < instructions * slots) caps.resize(instructions * slots);
        count = 0;
    }
    bool Contains(int pc) const { return sparse[pc] < count && dense[sparse[pc]] == pc; }
    void Insert(int pc) {
        sparse[pc] = count;
        dense[count++] = pc;
    }
};

struct Frame {
    int pc;
    int slot;  // >= 0: restore scratch[slot] to old
    int old;
};

struct Machine {
    ThreadList lists[2];
    std::vector<Frame> stack;
    int scratch[2 * kRegexGroups];
    int best[2 * kRegexGroups];
};

Machine& ThreadMachine() {
    thread_local Machine machine;
    return machine;
}

bool InSet(const RegexSet& set, unsigned char c) { return (set[c >> 6] >> (c & 63)) & 1; }

// Follows the empty transitions from pc at pos, adding every consuming instruction reached.
void AddThread(const CompiledRegex& re, Machine& m, ThreadList& list, int start_pc, const char* text, int pos,
               int length, int slots) {
    m.stack.clear();
    m.stack.push_back({start_pc, -1, 0});
    while (!m.stack.empty()) {
        Frame f = m.stack.back();
        m.stack.pop_back();
        if (f.slot >= 0) {
            m.scratch[f.slot] = f.old;
            continue;
        }
        int pc = f.pc;
        while (!list.Contains(pc)) {
            list.Insert(pc);
            const RegexInstruction& in = re.program[pc];
            if (in.op == RegexOp::Jump) {
                pc = in.x;
            } else if (in.op == RegexOp::Split) {
                m.stack.push_back({in.y, -1, 0});
                pc = in.x;
            } else if (in.op == RegexOp::Save) {
                if (in.slot < slots) {
                    m.stack.push_back({0, in.slot, m.scratch[in.slot]});
                    m.scratch[in.slot] = pos;
                }
                ++pc;
            } else if (in.op == RegexOp::LineStart) {
                if (pos != 0) break;
                ++pc;
            } else if (in.op == RegexOp::LineEnd) {
                if (pos != length) break;
                ++pc;
            } else if (in.op == RegexOp::WordStart) {
                if (pos > 0 && IsIdentifierChar(text[pos - 1])) break;
                ++pc;
            } else if (in.op == RegexOp::WordEnd) {
                if (pos < length && IsIdentifierChar(text[pos])) break;
                ++pc;
            } else {
                memcpy(&list.caps[pc * slots], m.scratch, slots * sizeof(int));
                break;
            }
        }
    }
}

bool Consumes(const CompiledRegex& re, const RegexInstruction& in, unsigned char c) {
    switch (in.op) {
        case RegexOp::Any: return true;
        case RegexOp::Char: return c == in.ch;
        case RegexOp::Set: return InSet(re.sets[in.x], c);
        default: return false;
    }
}

bool Run(const CompiledRegex& re, const char* text, int length, int from, int slots, Machine& m) {
    ThreadList* current = &m.lists[0];
    ThreadList* next = &m.lists[1];
    current->Reset(re.program.size(), slots);
    next->Reset(re.program.size(), slots);
    bool matched = false;
    for (int pos = from; pos <= length; ++pos) {
        if (!matched) {
            if (current->count == 0) {
                if (re.anchored && pos > 0) break;
                if (re.first_char >= 0) {
                    const void* hit = memchr(text + pos, re.first_char, length - pos);
                    if (!hit) break;
                    pos = static_cast<int>(static_cast<const char*>(hit) - text);
                }
            }
            bool can_start = (!re.anchored || pos == 0) &&
                             (re.first_char < 0 || (pos < length && (unsigned char)text[pos] == re.first_char));
            if (can_start) {
                for (int i = 0; i < slots; ++i) m.scratch[i] = -1;
                AddThread(re, m, *current, 0, text, pos, length, slots);
            }
        }
        if (current->count == 0) break;
        next->count = 0;
        for (int i = 0; i < current->count; ++i) {
            int pc = current->dense[i];
            const RegexInstruction& in = re.program[pc];
            if (in.op == RegexOp::Match) {
                matched = true;
                memcpy(m.best, &current->caps[pc * slots], slots * sizeof(int));
                break;  // lower-priority threads can no longer win
            }
            if (pos < length && Consumes(re, in, static_cast<unsigned char>(text[pos]))) {
                memcpy(m.scratch, &current->caps[pc * slots], slots * sizeof(int));
                AddThread(re, m, *next, pc + 1, text, pos + 1, length, slots);
            }
        }
        std::swap(current, next);
    }
    return matched;
}

// The checks that reject a line without running the machine, then the run.
bool Search(const CompiledRegex& re, const char* text, int length, int from, int slots, Machine& m) {
    if (re.program.empty() || from < 0 || from > length) return false;
    if (re.anchored && from > 0) return false;
    if (!re.required.empty() &&
        FindLiteral(text, length, from, re.required.data(), static_cast<int>(re.required.size()), re.ignore_case) < 0)
        return false;
    return Run(re, text, length, from, slots, m);
}

}  // namespace

bool ExecuteRegex(const CompiledRegex& re, const char* text, int length, int from, RegexMatch* match) {
    int slots = match ? 2 * (re.group_count + 1) : 2;
    Machine& m = ThreadMachine();
    if (!Search(re, text, length, from, slots, m)) return false;
    if (match) {
        for (int g = 0; g < kRegexGroups; ++g) {
            bool present = g <= re.group_count && m.best[2 * g] >= 0 && m.best[2 * g + 1] >= 0;
            match->start[g] = present ? m.best[2 * g] : -1;
            match->end[g] = present ? m.best[2 * g + 1] : -1;
        }
    }
    return true;
}

int FindRegexInLine(const CompiledRegex& re, const char* text, int length, int from, int* match_length) {
    Machine& m = ThreadMachine();
    if (!Search(re, text, length, from, 2, m)) return -1;
    *match_length = m.best[1] - m.best[0];
    return m.best[0];
}
