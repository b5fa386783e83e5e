#include "analysis/syntax_check.h"

#include "analysis/char_reader.h"
#include "analysis/message_ids.h"
#include "analysis/preprocessor_nesting.h"
#include "editor/char_class.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"

namespace {

// Open levels with the line each began on; the 15 outermost are recorded, deeper ones
// are counted and report the 15th's line.
struct LevelTable {
    static constexpr int kRecorded = 15;
    int32_t lines[kRecorded] = {};
    int32_t depth = 0;

    void Push(int32_t line) {
        if (depth < kRecorded) lines[depth] = line;
        ++depth;
    }
    void Pop() { --depth; }
    int32_t Innermost() const { return lines[(depth < kRecorded ? depth : kRecorded) - 1]; }
};

struct Check {
    CharReader r;
    const char* path;
    std::string* message;

    bool Fail(uint16_t id, int32_t line) {
        *message = FormatText(MessageText(id), path, line);
        return false;
    }
};

bool FollowsFor(const LineView& l, int32_t c) {  // c: column of the 'f'
    if (c > 0 && IsIdentifierChar(l.text[c - 1])) return false;
    if (l.length - c < 4 || l.text[c + 1] != 'o' || l.text[c + 2] != 'r') return false;
    char next = l.text[c + 3];
    return next == ' ' || next == '\t' || next == '(';
}

}  // namespace

bool CheckSyntax(SourceLines text, const char* path, std::string* message) {
    Check k{MakeCharReader(text, false), path, message};
    CharReader& r = k.r;
    LevelTable parens, braces, ifs;
    int32_t brackets = 0;
    bool in_for = false;
    PreprocessorNesting nesting;

    for (;;) {
        int ch = NextChar(&r);
        if (ch < 0) break;
        const int32_t line = LineNumberOf(r);
        switch (ch) {
            case '/': SkipComment(&r); break;
            case '"':
                if (!SkipString(&r)) return k.Fail(kMsgUnfinishedString, line);
                break;
            case '\'':
                if (!SkipCharLiteral(&r)) return k.Fail(kMsgBadCharConstant, line);
                break;
            case '#': {
                int32_t b = braces.depth, p = parens.depth;
                DirectiveKind kind = FollowDirective(&nesting, &r, &b, &p, false);
                if (kind == DirectiveKind::If) ifs.Push(line);
                if (kind == DirectiveKind::Endif) {
                    if (ifs.depth == 0) {
                        *message = FormatText(MessageText(kMsgEndifWithoutIf), line);
                        return false;
                    }
                    ifs.Pop();
                }
                // Each branch of a conditional starts from the depths at its #if.
                while (braces.depth > b) braces.Pop();
                while (braces.depth < b) braces.Push(line);
                while (parens.depth > p) parens.Pop();
                while (parens.depth < p) parens.Push(line);
                break;
            }
            case '(': parens.Push(line); break;
            case ')':
                if (parens.depth == 0) return k.Fail(kMsgTooManyParens, line);
                parens.Pop();
                if (parens.depth == 0) in_for = false;
                break;
            case 'f':
                if (FollowsFor(CurrentLine(r), r.column - 1)) in_for = true;
                break;
            case ';':
                if (parens.depth >= 2 || (parens.depth == 1 && !in_for)) return k.Fail(kMsgSyntaxError, line);
                break;
            case '[': ++brackets; break;
            case ']':
                if (brackets == 0) return k.Fail(kMsgTooManyBrackets, line);
                --brackets;
                break;
            case '{':
            case '}':
                if (parens.depth > 0) return k.Fail(kMsgMismatchedParens, parens.Innermost());
                if (ch == '{') {
                    braces.Push(line);
                } else {
                    if (braces.depth == 0) return k.Fail(kMsgTooManyBraces, line);
                    braces.Pop();
                }
                break;
            default: break;
        }
    }
    if (braces.depth > 0) return k.Fail(kMsgMismatchedBraces, braces.Innermost());
    if (parens.depth > 0) return k.Fail(kMsgMismatchedParens, parens.Innermost());
    if (ifs.depth > 0) return k.Fail(kMsgIfWithoutEndif, ifs.Innermost());
    return true;
}
