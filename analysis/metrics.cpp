#include "analysis/metrics.h"

#include <cmath>
#include <cstring>

#include "analysis/char_reader.h"
#include "analysis/message_ids.h"
#include "editor/char_class.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

const char* const kOperatorNames[kOperatorKinds] = {
    "/", "/=", "+", "+=", "++", "-", "-=", "->", "--", "|", "||", "|=", "&", "&&", "&=", "(", ")", "[", "]",
    "!", ".", "%", "<<", ">>", "<=", ">=", "==", ">", "<", "^", "~", "=", "*", "*=", "*", "?", "%=", "#",
};

int32_t FunctionMetrics::OperatorKindsUsed() const {
    int32_t n = 0;
    for (uint32_t c : operator_counts) n += c != 0;
    return n;
}

namespace {

// The control-flow keywords: each is one decision.
bool IsDecision(const std::string& w) {
    static const char* const kDecisions[] = {"break", "case", "continue", "default", "do",     "else",
                                             "for",   "goto", "if",       "return",  "switch", "while"};
    for (const char* d : kDecisions)
        if (w == d) return true;
    return false;
}

// The operator at text[c], longest form first; -1 when there is none.
int OperatorAt(const char* t, int32_t n, int32_t c, int* width) {
    static const struct { const char* text; int kind; } kTwo[] = {
        {"++", 4}, {"+=", 3}, {"--", 8}, {"-=", 6}, {"->", 7}, {"||", 10}, {"|=", 11}, {"&&", 13}, {"&=", 14},
        {"<<", 22}, {"<=", 24}, {">>", 23}, {">=", 25}, {"==", 26}, {"*=", 33}, {"/=", 1}, {"%=", 36},
    };
    if (c + 1 < n)
        for (const auto& o : kTwo)
            if (t[c] == o.text[0] && t[c + 1] == o.text[1]) {
                *width = 2;
                return o.kind;
            }
    *width = 1;
    switch (t[c]) {
        case '/': return 0;
        case '+': return 2;
        case '-': return 5;
        case '|': return 9;
        case '&': return 12;
        case '(': return 15;
        case ')': return 16;
        case '[': return 17;
        case ']': return 18;
        case '!': return 19;
        case '.': return 20;
        case '%': return 21;
        case '>': return 27;
        case '<': return 28;
        case '^': return 29;
        case '~': return 30;
        case '=': return 31;
        case '*': return kOperatorMultiply;
        case '?': return 35;
        case '#': return 37;
        default: return -1;
    }
}

bool IsCommentLine(const LineView& l) {
    int32_t a = 0, b = l.length;
    while (a < b && (l.text[a] == ' ' || l.text[a] == '\t')) ++a;
    while (b > a && (l.text[b - 1] == ' ' || l.text[b - 1] == '\t')) --b;
    if (a == b) return false;
    if (l.text[a] == '*' || (b - a >= 2 && l.text[a] == '/' && (l.text[a + 1] == '*' || l.text[a + 1] == '/')))
        return true;
    return b - a >= 2 && l.text[b - 2] == '*' && l.text[b - 1] == '/';
}

void SkipWord(CharReader* r) {
    const LineView& l = CurrentLine(*r);
    while (r->column < l.length && (l.text[r->column] == ' ' || l.text[r->column] == '\t')) ++r->column;
    while (r->column < l.length && IsIdentifierChar(l.text[r->column])) ++r->column;
}

}  // namespace

bool MeasureFunction(SourceLines text, const FunctionRecord& f, bool report_empty, FunctionMetrics* out) {
    *out = FunctionMetrics();
    out->name = f.name;
    if (f.end_line <= 0 || f.body_line <= 0 || f.end_line > text.count || f.body_line > f.end_line) return false;
    FunctionMetrics& m = *out;

    // The comment block directly above the declaration.
    for (int32_t i = f.start_line - 2; i >= 0 && IsCommentLine(text.lines[i]); --i) {
        ++m.lines;
        m.characters += text.lines[i].length;
        m.comment_characters += text.lines[i].length;
    }
    SourceLines body{text.lines + f.body_line - 1, f.end_line - f.body_line + 1};
    for (int32_t i = 0; i < body.count; ++i) m.characters += body.lines[i].length;
    m.lines += body.count;

    CharReader r = MakeCharReader(body, false);
    int32_t depth = 0;
    bool after_operand = false;  // a '*' after an operand multiplies
    std::string word;
    for (;;) {
        int ch = NextChar(&r);
        if (ch < 0) break;
        if (ch == ' ' || ch == '\t') continue;
        const LineView& l = CurrentLine(r);
        const int32_t c = r.column - 1;
        if (IsAsciiLetter(ch) || ch == '_') {
            int32_t e = c;
            while (e < l.length && IsIdentifierChar(l.text[e])) ++e;
            word.assign(l.text + c, e - c);
            r.column = e;
            if (IsKeywordIn(CKeywords(), word.data(), static_cast<int>(word.size()))) {
                ++m.total_operators;
                if (IsDecision(word)) ++m.control_operators;
                if (word == "goto") ++m.gotos;
                after_operand = word == "sizeof";
            } else {
                ++m.total_operands;
                ++m.references;
                m.identifiers.insert(word);
                after_operand = true;
            }
            continue;
        }
        if (ch >= '0' && ch <= '9') {
            int32_t e = c + 1;
            if (ch == '0' && e < l.length && (l.text[e] == 'x' || l.text[e] == 'X')) ++e;
            while (e < l.length && (IsIdentifierChar(l.text[e]) || l.text[e] == '.')) ++e;
            r.column = e;
            ++m.total_operands;
            after_operand = true;
            continue;
        }
        if (ch == '"' || ch == '\'') {
            if (ch == '"')
                SkipString(&r);
            else
                SkipCharLiteral(&r);
            ++m.total_operands;
            after_operand = true;
            continue;
        }
        if (ch == '/') {
            int32_t n = 0;
            if (SkipComment(&r, &n)) {
                m.comment_characters += n;
                continue;
            }
        }
        if (ch == ';') {
            ++m.expressions;
            after_operand = false;
            continue;
        }
        if (ch == '{' || ch == '}') {
            depth += ch == '{' ? 1 : -1;
            if (depth > m.max_depth) m.max_depth = depth;
            after_operand = false;
            continue;
        }
        int width = 1;
        int kind = OperatorAt(l.text, l.length, c, &width);
        if (kind < 0) {
            after_operand = false;
            continue;
        }
        r.column = c + width;
        if (kind == kOperatorMultiply && !after_operand) kind = kOperatorIndirection;
        ++m.operator_counts[kind];
        ++m.total_operators;
        after_operand = kind == 16 || kind == 18 || kind == 4 || kind == 8;  // ')' ']' '++' '--'
        if (kind == 20 || kind == 7) {  // the member after '.' or '->'
            SkipWord(&r);
            after_operand = true;
        } else if (kind == 37) {
            SkipWord(&r);
        }
    }
    m.distinct_operands = static_cast<int32_t>(m.identifiers.size());

    if (m.characters == 0) {
        if (report_empty) ShowError(FormatText("%s %s", MessageText(kMsgEmptyFunction), f.name.c_str()));
        return false;
    }
    if (m.characters > 2 && m.total_operands != 0) {
        const int32_t eta1 = m.OperatorKindsUsed(), eta2 = m.distinct_operands;
        m.length = m.total_operators + m.total_operands;
        if (eta1 + eta2 > 0) m.volume = m.length * std::log2(static_cast<double>(eta1 + eta2));
        m.comment_percentage = 100.0 * m.comment_characters / m.characters;
        if (eta1 > 0) m.level = (2.0 / eta1) * (static_cast<double>(eta2) / m.total_operands);
        if (m.level > 0) m.density = m.volume / m.level;
    }
    return true;
}
