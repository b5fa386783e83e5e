#pragma once
// The members of the structure an expression names, for completing "p->" and "s.":
// the expression's variable is looked up among the declarations before the caret, its
// type among the struct and union definitions (tags and typedef names) of the text.
#include <string>
#include <vector>

// The C text as tokens: identifiers (numbers too), "->" and single punctuation
// characters; comments, strings, character literals and preprocessor lines are left out.
// The state carries an open block comment and a continued directive to the next line.
struct CodeState {
    bool comment = false, continued = false;
};
using TokenVisitor = void (*)(void* context, const char* text, int length, bool identifier);
void ScanCodeLine(const char* s, int n, CodeState* state, TokenVisitor visit, void* context);

struct CToken {
    std::string text;
    int line;  // 1-based
    bool identifier;
};
std::vector<CToken> TokenizeC(const std::vector<std::string>& lines);

// The member names of the structure that `expression` ("p", "a.b", "s->next->link")
// names, for an expression written on line `line` (1-based); empty when its variable
// has no declaration before that line or the type is no known structure.
std::vector<std::string> StructMembersOf(const std::vector<CToken>& tokens, const std::string& expression, int line);
