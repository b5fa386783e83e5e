#include "analysis/language.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "analysis/scanners.h"
#include "editor/char_class.h"

namespace {

KeywordTable MakeTable(std::initializer_list<const char*> words) {
    KeywordTable table;
    for (const char* w : words) table.buckets[KeywordHash(w, static_cast<int>(std::strlen(w)))].push_back(w);
    return table;
}

const KeywordTable& FortranKeywords() {
    static const KeywordTable t = MakeTable({
        "program", "subroutine", "function", "end", "if", "then", "else", "elseif", "endif", "do", "enddo",
        "continue", "goto", "go", "to", "call", "return", "stop", "integer", "real", "double", "precision",
        "complex", "logical", "character", "dimension", "common", "equivalence", "external", "intrinsic",
        "implicit", "none", "parameter", "data", "save", "format", "read", "write", "print", "open", "close",
        "rewind", "backspace", "inquire", "entry", "block", "while", "pause", "assign",
    });
    return t;
}

const KeywordTable& PascalKeywords() {
    static const KeywordTable t = MakeTable({
        "and", "array", "begin", "case", "const", "div", "do", "downto", "else", "end", "file", "for",
        "function", "goto", "if", "in", "label", "mod", "nil", "not", "of", "or", "packed", "procedure",
        "program", "record", "repeat", "set", "then", "to", "type", "until", "var", "while", "with",
        "unit", "interface", "implementation", "uses", "external", "forward", "string", "xor", "shl", "shr",
    });
    return t;
}

const KeywordTable& EiffelKeywords() {
    static const KeywordTable t = MakeTable({
        "alias", "all", "and", "as", "check", "class", "create", "creation", "debug", "deferred", "do",
        "else", "elseif", "end", "ensure", "expanded", "export", "external", "false", "feature", "from",
        "frozen", "if", "implies", "indexing", "inherit", "inspect", "invariant", "is", "like", "local",
        "loop", "not", "obsolete", "old", "once", "or", "redefine", "rename", "require", "rescue", "retry",
        "select", "separate", "then", "true", "undefine", "unique", "until", "variant", "when", "xor",
    });
    return t;
}

struct LanguageList {
    std::vector<std::unique_ptr<Language>> owned;
    Language* head = nullptr;

    Language* Push(const Language& lang) {
        owned.push_back(std::make_unique<Language>(lang));
        Language* l = owned.back().get();
        l->next = head;
        head = l;
        return l;
    }
};

Language Builtin(const char* name, const char* extensions, int32_t code, uint16_t flags, const char* comment,
                 const char* strings, const KeywordTable* keywords, FunctionScanner scanner) {
    Language l;
    l.name = name;
    l.extensions = extensions;
    l.code = code;
    l.flags = flags;
    l.comment_chars = comment;
    l.string_chars = strings;
    l.keywords = keywords;
    l.scan_functions = scanner;
    return l;
}

LanguageList& Languages() {
    static LanguageList list = [] {
        LanguageList l;
        l.Push(Builtin("C Language", "C;H;CPP;HPP", kLanguageC, 1, "/*", "'\"", &CKeywords(), ScanCFunctions));
        Language a = Builtin("Assembly", "ASM", kLanguageAssembler, 7, ";", "'", nullptr, ScanPatternFunctions);
        // The end of a line also ends PROC/ENDP (saving strips trailing blanks), and
        // the end marker's name may hold '_' like the start's.
        a.start_function = "^[A-Za-z_][_A-Za-z0-9]+[ \t]+PROC([ \t]|$)";
        a.end_function = "^[A-Za-z_][_A-Za-z0-9]+[ \t]+ENDP([ \t]|$)";
        l.Push(a);
        l.Push(Builtin("Fortran", "F", kLanguageFortran, 7, ";", "'", &FortranKeywords(), ScanFortranFunctions));
        l.Push(Builtin("Pascal", "PAS", kLanguagePascal, 5, "{}(*)", "'", &PascalKeywords(), ScanPascalFunctions));
        l.Push(Builtin("eiffel", "e", kLanguageEiffel, 5, "-", "'\"", &EiffelKeywords(), nullptr));
        return l;
    }();
    return list;
}

bool ExtensionListHolds(const std::string& list, const char* ext) {
    size_t n = std::strlen(ext);
    if (n == 0) return false;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        if (end - start == n) {
            size_t i = 0;
            while (i < n && UpperAscii(list[start + i]) == UpperAscii(ext[i])) ++i;
            if (i == n) return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

const KeywordTable& CKeywords() {
    static const KeywordTable t = MakeTable({
        "auto", "break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum",
        "extern", "float", "for", "goto", "if", "int", "long", "register", "return", "short", "signed",
        "sizeof", "static", "struct", "switch", "typedef", "union", "unsigned", "void", "volatile", "while",
        "inline",
    });
    return t;
}

int KeywordHash(const char* text, int length) {
    uint32_t h = 0;
    for (int i = 0; i < length; ++i) h = (h << 2) ^ static_cast<unsigned char>(text[i]);
    return std::abs(static_cast<int32_t>(h) % kKeywordBuckets);
}

bool IsKeywordIn(const KeywordTable& table, const char* word, int length) {
    if (length <= 0 || word[0] < 'a' || word[0] > 'z') return false;
    for (const std::string& k : table.buckets[KeywordHash(word, length)])
        if (static_cast<int>(k.size()) == length && std::memcmp(k.data(), word, length) == 0) return true;
    return false;
}

bool IsKeyword(const Language& lang, const char* word, int length) {
    if (!lang.keywords || length <= 0) return false;
    if (!(lang.flags & kLanguageIgnoreCase)) return IsKeywordIn(*lang.keywords, word, length);
    std::string folded(word, length);
    for (char& c : folded) c = static_cast<char>(LowerAscii(c));
    return IsKeywordIn(*lang.keywords, folded.data(), length);
}

CommentDelimiters CommentDelimitersOf(const Language& lang) {
    CommentDelimiters d;
    const std::string& c = lang.comment_chars;
    if (c == "/*") {
        d.line = "//";
        d.block_open[0] = "/*";
        d.block_close[0] = "*/";
    } else if (c == "{}(*)") {
        d.block_open[0] = "{";
        d.block_close[0] = "}";
        d.block_open[1] = "(*";
        d.block_close[1] = "*)";
    } else if (c == "-") {
        d.line = "--";
    } else {
        d.line = c;
    }
    return d;
}

Language* FirstLanguage() { return Languages().head; }

Language* AddLanguage(const Language& lang) {
    for (Language* l = FirstLanguage(); l; l = l->next) {
        if (l->name != lang.name) continue;
        Language* next = l->next;
        const KeywordTable* keywords = l->keywords;
        FunctionScanner scanner = l->scan_functions;
        int32_t code = l->code;
        *l = lang;
        l->next = next;
        l->keywords = keywords;
        l->scan_functions = scanner;
        l->code = code;
        return l;
    }
    Language* added = Languages().Push(lang);
    added->keywords = nullptr;
    added->scan_functions = ScanPatternFunctions;
    return added;
}

const Language* LanguageForExtension(const char* ext) {
    for (const Language* l = FirstLanguage(); l; l = l->next)
        if (ExtensionListHolds(l->extensions, ext)) return l;
    return nullptr;
}

const Language* LanguageForFileName(const char* name) {
    const char* dot = std::strrchr(name, '.');
    if (!dot) return nullptr;
    const char* slash = std::strpbrk(dot, "\\/");
    if (slash) return nullptr;
    return LanguageForExtension(dot + 1);
}

const Language* LanguageByCode(int32_t code) {
    for (const Language* l = FirstLanguage(); l; l = l->next)
        if (l->code == code) return l;
    return nullptr;
}
