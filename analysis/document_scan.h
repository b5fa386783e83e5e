#pragma once
// Source analysis over the editor's documents: each document's function index lives
// in its symbol data and is rebuilt from a snapshot of its lines whenever it is not
// current, so no line pointer is kept across edits.
#include <string>
#include <vector>

#include "analysis/function_index.h"
#include "analysis/metrics.h"
#include "analysis/source_lines.h"
#include "analysis/source_walker.h"
#include "analysis/string_table.h"

struct TextDocument;
struct TextLine;

// The document's lines as views, valid until the next edit.
std::vector<LineView> DocumentLines(const TextDocument* doc);

// Makes the document's function index current: nothing for a null document; false for
// an internal buffer or a document without a language; otherwise whether it has
// functions. An index that is still current is kept.
bool ScanFunctions(TextDocument* doc);
// The index (scanning first), or null when there is none.
const FunctionIndex* DocumentFunctions(TextDocument* doc);
// Editing calls this: the index must be rebuilt before it is used again.
void InvalidateFunctions(TextDocument* doc);
// Frees the index (the document's drop-symbols hook).
void DropFunctionIndex(TextDocument* doc);

// Scans, and says "No functions defined in this file" on the status line when the
// document has none. For the commands that need functions.
bool RequireFunctions(TextDocument* doc);

// The function that holds line `line` (1-based), after a rescan when needed; null when
// none does or the line is outside the document.
const FunctionRecord* FunctionAtDocumentLine(TextDocument* doc, int32_t line);
// The function of this name in any loaded document; *where receives its document.
const FunctionRecord* FindFunctionInDocuments(const char* name, TextDocument** where);

// Where the definition lookup starts: the word at the caret, whether a '(' follows
// it, and the caret's line (1-based).
struct DefinitionQuery {
    std::string word;
    bool call = false;
    int32_t line = 0;
};

// The lookup behind "Definition of %s" over what this subsystem indexes. A call (not
// of a keyword) is looked up in the function lists of all loaded documents. Another
// word of a C document is tried as a parameter or local of the function at the caret
// ("Argument a f( )" or "Local a f( )" and the declaring line), a global of the
// document, a function of any document, and last the first declaration or #define in
// the document. Says on the status line why nothing was found.
bool FindDefinitionOf(TextDocument* doc, const DefinitionQuery& query, DefinitionRecord* out);

// The measures of every function of the document that has them.
std::vector<FunctionMetrics> DocumentMetrics(TextDocument* doc);
// One function's measures; "Empty function/file <name>" when it has none.
bool MeasureDocumentFunction(TextDocument* doc, const FunctionRecord& f, FunctionMetrics* out);

// Globals of a C document; "No global variables defined" on the status line when
// there are none (always for other languages).
std::vector<GlobalRecord> DocumentGlobals(TextDocument* doc);

// The string literals of a document's function bodies; "No strings defined in %s"
// when there are none.
std::vector<StringEntry> DocumentStrings(TextDocument* doc);

// The document hooks this subsystem serves: dropping and rebuilding symbols, choosing
// the language, the brace check before saving and the time-stamp line.
void InstallAnalysisHooks();
void ChooseDocumentLanguage(TextDocument* doc);
bool CheckDocumentSyntax(TextDocument* doc, std::string* report);
TextLine* FindTimeStampLine(TextDocument* doc);
