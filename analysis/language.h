#pragma once
// Language records: one per language, chosen by a file's extension. They carry the
// keyword table the view colours with, the comment and string characters, and the
// routine that scans a document for its functions.
//
//     const Language* lang = LanguageForFileName("src\\main.c");
//     if (lang && IsKeyword(*lang, word, n)) ...
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/source_lines.h"

struct FunctionRecord;

inline constexpr int kKeywordBuckets = 13;

// Built-in identities.
enum : int32_t { kLanguageC = 0, kLanguageFortran = 3, kLanguagePascal = 4, kLanguageAssembler = 5, kLanguageEiffel = 6 };

// Language flags: bit 2 means names are matched without regard to case; the other
// bits belong to the colouring.
enum : uint16_t { kLanguageIgnoreCase = 4 };

struct KeywordTable {
    std::vector<std::string> buckets[kKeywordBuckets];
};

// Fills `out` with the functions of the text (cleared first); returns whether any was
// found. `path` names the document in messages.
using FunctionScanner = bool (*)(const struct Language& lang, SourceLines text, const char* path,
                                 std::vector<FunctionRecord>* out);

struct Language {
    Language* next = nullptr;
    std::string name;
    int32_t code = 0;
    const KeywordTable* keywords = nullptr;  // none for assembler and user languages
    uint16_t flags = 0;
    std::string comment_chars;
    std::string start_function;  // regular expression for the pattern scanner
    std::string end_function;    // empty: a function ends where the next begins
    std::string extensions;      // without dots, ';'-separated
    std::string string_chars;
    FunctionScanner scan_functions = nullptr;  // null finds nothing
};

// Comment delimiters derived from the comment characters: a line comment opener and
// up to two block comment pairs. Empty strings where the language has none.
struct CommentDelimiters {
    std::string line;
    std::string block_open[2], block_close[2];
};
CommentDelimiters CommentDelimitersOf(const Language& lang);

// Shift-left-by-2, exclusive-or hash of a text, 0 to 12.
int KeywordHash(const char* text, int length);

// A name is a keyword when its first character is a lower-case letter and its bucket
// holds it. Case-insensitive languages compare the name folded to lower case.
bool IsKeyword(const Language& lang, const char* word, int length);
bool IsKeywordIn(const KeywordTable& table, const char* word, int length);

// The language list, newest first. Built lazily with the five built-in languages.
Language* FirstLanguage();
// Adds a language at the head of the list (the list owns it), or updates the built-in
// language of the same name with the given record's texts. Returns the record in use.
Language* AddLanguage(const Language& lang);

// The language whose extension list holds `ext` (without the dot, compared without
// case), or null.
const Language* LanguageForExtension(const char* ext);
// The language for a file name by the characters after its last '.', or null.
const Language* LanguageForFileName(const char* name);
const Language* LanguageByCode(int32_t code);

// The C keyword table, shared by the walker and the metrics.
const KeywordTable& CKeywords();
