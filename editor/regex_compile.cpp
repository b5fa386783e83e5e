// Parses the dialect into a small tree, checks it as the classic compiler did
// (which operand may be repeated, how many groups), then emits the VM program.
#include <cstring>

#include "editor/char_class.h"
#include "editor/regex.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

constexpr const char* kMetaCharacters = "^$.[()|?+*\\";
constexpr int kMaxGroups = 9;
// The classic program had to stay below 32767 bytes; an instruction stands for about three.
constexpr size_t kMaxInstructions = 32767 / 3;

const char* const kRepeatFollowsNothing = "?*+ followed by nothing";
const char* const kUnmatchedBracket = "Unmatched []";
const char* const kTooBig = "Regular expression too big";

enum class Kind { LineStart, LineEnd, Any, Char, Set, Group, Concat, Alternation, Star, Plus, Optional };

struct Node {
    Kind kind;
    unsigned char ch = 0;
    int index = 0;  // Set: index of the set; Group: its number
    std::vector<int> children;
};

struct Parser {
    const char* p;
    bool ignore_case;
    std::vector<Node> nodes;
    std::vector<RegexSet> sets;
    int groups = 0;
    const char* error = nullptr;

    int Fail(const char* message) {
        if (!error) error = message;
        return -1;
    }
    int FailId(uint16_t id) { return Fail(MessageText(id)); }
    int Add(Node node) {
        nodes.push_back(std::move(node));
        return static_cast<int>(nodes.size()) - 1;
    }
};

bool IsRepeat(char c) { return c == '*' || c == '+' || c == '?'; }

void AddToSet(RegexSet& set, unsigned char c) { set[c >> 6] |= uint64_t{1} << (c & 63); }
bool InSet(const RegexSet& set, unsigned char c) { return (set[c >> 6] >> (c & 63)) & 1; }

int ParseExpression(Parser& ps, bool in_group, bool* has_width);

int ParseSet(Parser& ps) {
    RegexSet set{};
    bool negate = false;
    if (*ps.p == '^') {
        negate = true;
        ++ps.p;
    }
    unsigned char previous = 0;
    if (*ps.p == ']' || *ps.p == '-') {
        previous = static_cast<unsigned char>(*ps.p++);
        AddToSet(set, previous);
    }
    while (*ps.p != '\0' && *ps.p != ']') {
        if (*ps.p == '-') {
            ++ps.p;
            if (*ps.p == ']' || *ps.p == '\0') {
                previous = '-';
                AddToSet(set, previous);
                continue;
            }
            unsigned char last = static_cast<unsigned char>(*ps.p++);
            if (last < previous) return ps.FailId(4557);
            for (int c = previous; c <= last; ++c) AddToSet(set, static_cast<unsigned char>(c));
            previous = last;
        } else {
            previous = static_cast<unsigned char>(*ps.p++);
            AddToSet(set, previous);
        }
    }
    if (*ps.p != ']') return ps.Fail(kUnmatchedBracket);
    ++ps.p;
    if (ps.ignore_case)
        for (int c = 'a'; c <= 'z'; ++c)
            if (InSet(set, c) || InSet(set, UpperAscii(c))) {
                AddToSet(set, c);
                AddToSet(set, UpperAscii(c));
            }
    if (negate)
        for (uint64_t& word : set) word = ~word;
    ps.sets.push_back(set);
    return ps.Add({Kind::Set, 0, static_cast<int>(ps.sets.size()) - 1, {}});
}

int ParseAtom(Parser& ps, bool* has_width) {
    *has_width = true;
    char c = *ps.p++;
    switch (c) {
        case '^': *has_width = false; return ps.Add({Kind::LineStart, 0, 0, {}});
        case '$': *has_width = false; return ps.Add({Kind::LineEnd, 0, 0, {}});
        case '.': return ps.Add({Kind::Any, 0, 0, {}});
        case '[': return ParseSet(ps);
        case '(': {
            if (ps.groups >= kMaxGroups) return ps.FailId(4554);
            int number = ++ps.groups;
            int inner = ParseExpression(ps, true, has_width);
            if (inner < 0) return -1;
            return ps.Add({Kind::Group, 0, number, {inner}});
        }
        case '?': case '*': case '+': return ps.Fail(kRepeatFollowsNothing);
        case '\\':
            if (*ps.p == '\0') return ps.FailId(4558);
            return ps.Add({Kind::Char, static_cast<unsigned char>(*ps.p++), 0, {}});
        default: {
            --ps.p;
            size_t run = strcspn(ps.p, kMetaCharacters);
            if (run > 1 && IsRepeat(ps.p[run])) --run;  // the repeat takes the last character only
            Node concat{Kind::Concat, 0, 0, {}};
            for (size_t i = 0; i < run; ++i)
                concat.children.push_back(ps.Add({Kind::Char, static_cast<unsigned char>(*ps.p++), 0, {}}));
            return concat.children.size() == 1 ? concat.children[0] : ps.Add(std::move(concat));
        }
    }
}

int ParsePiece(Parser& ps, bool* has_width) {
    bool atom_width;
    int atom = ParseAtom(ps, &atom_width);
    if (atom < 0) return -1;
    char op = *ps.p;
    if (!IsRepeat(op)) {
        *has_width = atom_width;
        return atom;
    }
    if (!atom_width && op != '?') return ps.FailId(4556);
    ++ps.p;
    if (IsRepeat(*ps.p)) return ps.FailId(4553);
    *has_width = op == '+';
    Kind kind = op == '*' ? Kind::Star : op == '+' ? Kind::Plus : Kind::Optional;
    return ps.Add({kind, 0, 0, {atom}});
}

int ParseBranch(Parser& ps, bool* has_width) {
    if (*ps.p == '\0' || *ps.p == '|' || *ps.p == ')') return ps.FailId(4553);  // empty part
    Node concat{Kind::Concat, 0, 0, {}};
    *has_width = false;
    while (*ps.p != '\0' && *ps.p != '|' && *ps.p != ')') {
        bool piece_width;
        int piece = ParsePiece(ps, &piece_width);
        if (piece < 0) return -1;
        *has_width |= piece_width;
        concat.children.push_back(piece);
    }
    return concat.children.size() == 1 ? concat.children[0] : ps.Add(std::move(concat));
}

int ParseExpression(Parser& ps, bool in_group, bool* has_width) {
    Node alternation{Kind::Alternation, 0, 0, {}};
    *has_width = true;
    for (;;) {
        bool branch_width;
        int branch = ParseBranch(ps, &branch_width);
        if (branch < 0) return -1;
        *has_width &= branch_width;
        alternation.children.push_back(branch);
        if (*ps.p != '|') break;
        ++ps.p;
    }
    if (in_group) {
        if (*ps.p != ')') return ps.FailId(4555);
        ++ps.p;
    } else if (*ps.p != '\0') {
        return ps.FailId(4555);  // only ')' stops a top-level branch
    }
    return alternation.children.size() == 1 ? alternation.children[0] : ps.Add(std::move(alternation));
}

// Emission: Thompson's construction with the preferred path first.

struct Emitter {
    const Parser& ps;
    CompiledRegex& re;

    int Here() const { return static_cast<int>(re.program.size()); }
    int Emit(RegexOp op, int x = 0, int y = 0) {
        re.program.push_back({op, 0, 0, x, y});
        return Here() - 1;
    }

    void Node(int index) {
        const ::Node& n = ps.nodes[index];
        switch (n.kind) {
            case Kind::LineStart: Emit(RegexOp::LineStart); break;
            case Kind::LineEnd: Emit(RegexOp::LineEnd); break;
            case Kind::Any: Emit(RegexOp::Any); break;
            case Kind::Char:
                if (re.ignore_case && IsAsciiLetter(n.ch)) {
                    RegexSet set{};
                    AddToSet(set, UpperAscii(n.ch));
                    AddToSet(set, LowerAscii(n.ch));
                    re.sets.push_back(set);
                    Emit(RegexOp::Set, static_cast<int>(re.sets.size()) - 1);
                } else {
                    re.program[Emit(RegexOp::Char)].ch = n.ch;
                }
                break;
            case Kind::Set: Emit(RegexOp::Set, n.index); break;
            case Kind::Group:
                re.program[Emit(RegexOp::Save)].slot = static_cast<int16_t>(2 * n.index);
                Node(n.children[0]);
                re.program[Emit(RegexOp::Save)].slot = static_cast<int16_t>(2 * n.index + 1);
                break;
            case Kind::Concat:
                for (int child : n.children) Node(child);
                break;
            case Kind::Alternation: {
                std::vector<int> jumps;
                for (size_t i = 0; i < n.children.size(); ++i) {
                    int split = -1;
                    if (i + 1 < n.children.size()) split = Emit(RegexOp::Split, Here() + 1);
                    Node(n.children[i]);
                    if (i + 1 < n.children.size()) {
                        jumps.push_back(Emit(RegexOp::Jump));
                        re.program[split].y = Here();
                    }
                }
                for (int jump : jumps) re.program[jump].x = Here();
                break;
            }
            case Kind::Star: {
                int split = Emit(RegexOp::Split, Here() + 1);
                Node(n.children[0]);
                Emit(RegexOp::Jump, split);
                re.program[split].y = Here();
                break;
            }
            case Kind::Plus: {
                int body = Here();
                Node(n.children[0]);
                Emit(RegexOp::Split, body, Here() + 1);
                break;
            }
            case Kind::Optional: {
                int split = Emit(RegexOp::Split, Here() + 1);
                Node(n.children[0]);
                re.program[split].y = Here();
                break;
            }
        }
    }
};

// The top-level sequence with plain groups opened up: what every match passes through in order.
void FlattenSequence(const Parser& ps, int index, std::vector<int>* out) {
    const Node& n = ps.nodes[index];
    if (n.kind == Kind::Concat) {
        for (int child : n.children) FlattenSequence(ps, child, out);
    } else if (n.kind == Kind::Group) {
        FlattenSequence(ps, n.children[0], out);
    } else {
        out->push_back(index);
    }
}

void SetShortcuts(const Parser& ps, int root, CompiledRegex* re) {
    std::vector<int> sequence;
    FlattenSequence(ps, root, &sequence);
    const Node& first = ps.nodes[sequence[0]];
    re->anchored = first.kind == Kind::LineStart;
    if (first.kind == Kind::Char && !(re->ignore_case && IsAsciiLetter(first.ch))) re->first_char = first.ch;

    std::string run;
    for (size_t i = 0; i <= sequence.size(); ++i) {
        if (i < sequence.size() && ps.nodes[sequence[i]].kind == Kind::Char) {
            unsigned char c = ps.nodes[sequence[i]].ch;
            run += static_cast<char>(re->ignore_case ? UpperAscii(c) : c);
            continue;
        }
        if (!run.empty() && run.size() >= re->required.size()) re->required = run;  // ties: the later one, as classically
        run.clear();
    }
}

}  // namespace

bool CompileRegex(const char* pattern, bool ignore_case, CompiledRegex* out) {
    *out = CompiledRegex{};
    out->source = pattern ? pattern : "";
    out->ignore_case = ignore_case;
    Parser ps{out->source.c_str(), ignore_case, {}, {}};
    bool has_width;
    int root = ParseExpression(ps, false, &has_width);
    if (root >= 0) {
        out->group_count = ps.groups;
        out->sets = ps.sets;
        Emitter emitter{ps, *out};
        out->program.push_back({RegexOp::Save, 0, 0, 0, 0});
        emitter.Node(root);
        out->program.push_back({RegexOp::Save, 0, 1, 0, 0});
        out->program.push_back({RegexOp::Match, 0, 0, 0, 0});
        if (out->program.size() > kMaxInstructions) ps.Fail(kTooBig);
    }
    if (ps.error) {
        ShowError(ps.error);
        std::string source = std::move(out->source);
        *out = CompiledRegex{};
        out->source = std::move(source);
        return false;
    }
    SetShortcuts(ps, root, out);
    return true;
}

void RequireWholeWords(CompiledRegex* re) {
    std::vector<RegexInstruction>& p = re->program;
    if (p.size() < 3) return;
    // Everything moves one on; nothing jumps to the first instruction (Save 0).
    for (RegexInstruction& in : p) {
        if (in.op == RegexOp::Jump || in.op == RegexOp::Split) ++in.x;
        if (in.op == RegexOp::Split) ++in.y;
    }
    p.insert(p.begin() + 1, {RegexOp::WordStart, 0, 0, 0, 0});
    // Before the final Save 1: jumps to it now reach the check.
    p.insert(p.end() - 2, {RegexOp::WordEnd, 0, 0, 0, 0});
}
