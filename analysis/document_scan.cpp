#include "analysis/document_scan.h"

#include <cstring>

#include "analysis/local_lookup.h"
#include "analysis/message_ids.h"
#include "analysis/metrics_report.h"
#include "analysis/syntax_check.h"
#include "editor/char_class.h"
#include "editor/text_document.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

constexpr uint16_t kMsgCLanguage = 1197;
constexpr uint16_t kMsgTimeStampStart = 3999;

// The index with the line count it was built for: a count that differs means an
// edit that forgot to invalidate it.
struct DocumentIndex {
    FunctionIndex index;
    int32_t line_count = -1;
};

DocumentIndex* IndexOf(const TextDocument* doc) { return static_cast<DocumentIndex*>(doc->symbol_data); }

void RebuildSymbols(TextDocument* doc) {
    InvalidateFunctions(doc);
    ScanFunctions(doc);
}

}  // namespace

std::vector<LineView> DocumentLines(const TextDocument* doc) {
    std::vector<LineView> views;
    views.reserve(doc->line_count > 0 ? doc->line_count : 0);
    for (const TextLine* l = FirstLine(doc); l; l = NextLine(doc, l)) views.push_back(LineView{l->text, l->length});
    return views;
}

bool ScanFunctions(TextDocument* doc) {
    if (!doc) return false;
    DocumentIndex* d = IndexOf(doc);
    if (d && d->index.scanned && d->line_count == doc->line_count) return !d->index.functions.empty();
    if ((doc->flags & kDocInternal) || !doc->language) return false;
    if (!d) {
        d = new DocumentIndex;
        doc->symbol_data = d;
    }
    std::vector<LineView> lines = DocumentLines(doc);
    d->line_count = doc->line_count;
    return ScanText(*doc->language, AsSource(lines), doc->name, &d->index);
}

const FunctionIndex* DocumentFunctions(TextDocument* doc) {
    ScanFunctions(doc);
    return doc && IndexOf(doc) ? &IndexOf(doc)->index : nullptr;
}

void InvalidateFunctions(TextDocument* doc) {
    if (doc && IndexOf(doc)) IndexOf(doc)->index.scanned = false;
}

void DropFunctionIndex(TextDocument* doc) {
    delete IndexOf(doc);
    doc->symbol_data = nullptr;
}

bool RequireFunctions(TextDocument* doc) {
    if (ScanFunctions(doc)) return true;
    ShowStatus(MessageText(kMsgNoFunctions));
    return false;
}

const FunctionRecord* FunctionAtDocumentLine(TextDocument* doc, int32_t line) {
    const FunctionIndex* index = DocumentFunctions(doc);
    if (!index || line < 1 || line > doc->line_count) return nullptr;
    return FunctionAtLine(*index, line);
}

const FunctionRecord* FindFunctionInDocuments(const char* name, TextDocument** where) {
    for (TextDocument* doc = FirstDocument(); doc; doc = doc->next) {
        const FunctionIndex* index = DocumentFunctions(doc);
        const FunctionRecord* f = index ? FindFunction(*index, name) : nullptr;
        if (f) {
            if (where) *where = doc;
            return f;
        }
    }
    return nullptr;
}

std::vector<GlobalRecord> DocumentGlobals(TextDocument* doc) {
    std::vector<GlobalRecord> globals;
    if (doc && doc->language && doc->language->code == kLanguageC) {
        const FunctionIndex* index = DocumentFunctions(doc);
        std::vector<LineView> lines = DocumentLines(doc);
        globals = ListGlobals(AsSource(lines), doc->name, index ? index->functions : std::vector<FunctionRecord>());
    }
    if (globals.empty()) ShowStatus(MessageText(kMsgNoGlobals));
    return globals;
}

namespace {

DefinitionRecord RecordAt(const std::string& name, const char* path, SourceLines text, int32_t line) {
    DefinitionRecord d;
    d.name = name;
    d.hash = static_cast<uint16_t>(KeywordHash(name.data(), static_cast<int>(name.size())));
    d.line = line;
    d.path = path;
    d.text = LinesAround(text, line);
    return d;
}

bool FunctionDefinition(const std::string& word, DefinitionRecord* out) {
    TextDocument* where = nullptr;
    const FunctionRecord* f = FindFunctionInDocuments(word.c_str(), &where);
    if (!f) return false;
    std::vector<LineView> lines = DocumentLines(where);
    *out = RecordAt(word, where->name, AsSource(lines), f->header_line);
    return true;
}

// A parameter or local variable of the function holding the caret.
bool LocalDefinition(TextDocument* doc, const DefinitionQuery& q, SourceLines text, DefinitionRecord* out) {
    const FunctionRecord* f = FunctionAtDocumentLine(doc, q.line);
    if (!f) return false;
    LocalDeclaration local = FindLocalDeclaration(text, *f, q.word);
    if (local.kind == LocalKind::None) return false;
    *out = RecordAt(q.word, doc->name, text, local.line);
    out->text = FormatText("%s %s %s( )", local.kind == LocalKind::Argument ? "Argument" : "Local", q.word.c_str(),
                           f->name.c_str()) + std::string("\r\n") +
                std::string(text.lines[local.line - 1].text, static_cast<size_t>(text.lines[local.line - 1].length));
    return true;
}

bool GlobalDefinition(TextDocument* doc, const std::string& word, SourceLines text, DefinitionRecord* out) {
    const FunctionIndex* index = DocumentFunctions(doc);
    for (const GlobalRecord& g : ListGlobals(text, doc->name, index ? index->functions : std::vector<FunctionRecord>()))
        if (g.name == word) {
            *out = RecordAt(word, doc->name, text, g.line);
            return true;
        }
    return false;
}

bool SearchDefinition(TextDocument* doc, const DefinitionQuery& q, DefinitionRecord* out) {
    const bool c_source = doc && doc->language && doc->language->code == kLanguageC;
    if (q.call) {
        if (IsKeywordIn(CKeywords(), q.word.data(), static_cast<int>(q.word.size()))) return false;
        return FunctionDefinition(q.word, out);
    }
    if (!c_source) return FunctionDefinition(q.word, out);
    std::vector<LineView> lines = DocumentLines(doc);
    return LocalDefinition(doc, q, AsSource(lines), out) || GlobalDefinition(doc, q.word, AsSource(lines), out) ||
           FunctionDefinition(q.word, out) || FindDefinition(AsSource(lines), doc->name, q.word.c_str(), out);
}

}  // namespace

bool FindDefinitionOf(TextDocument* doc, const DefinitionQuery& q, DefinitionRecord* out) {
    if (q.word.empty()) {
        ShowStatus(MessageText(kMsgPlaceCursor));
        return false;
    }
    if (!IsIdentifierChar(q.word[0]) || (q.word[0] >= '0' && q.word[0] <= '9')) {
        ShowStatus(FormatText(MessageText(kMsgNotIdentifier), q.word.c_str()));
        return false;
    }
    if (SearchDefinition(doc, q, out)) return true;
    ShowStatus(FormatText(MessageText(kMsgNoDefinition), q.word.c_str()));
    return false;
}

std::vector<FunctionMetrics> DocumentMetrics(TextDocument* doc) {
    const FunctionIndex* index = DocumentFunctions(doc);
    if (!index) return {};
    std::vector<LineView> lines = DocumentLines(doc);
    return MeasureFile(AsSource(lines), index->functions);
}

bool MeasureDocumentFunction(TextDocument* doc, const FunctionRecord& f, FunctionMetrics* out) {
    std::vector<LineView> lines = DocumentLines(doc);
    return MeasureFunction(AsSource(lines), f, true, out);
}

std::vector<StringEntry> DocumentStrings(TextDocument* doc) {
    std::vector<StringEntry> list;
    std::vector<LineView> lines = DocumentLines(doc);
    CollectStrings(AsSource(lines), doc->name, &list);
    if (list.empty()) Inform(FormatText(MessageText(kMsgNoStrings), doc->name));
    return list;
}

void ChooseDocumentLanguage(TextDocument* doc) {
    doc->language = LanguageForFileName(doc->name);
    if (doc->language && doc->language->name == MessageText(kMsgCLanguage))
        doc->flags |= kDocCSource;
    else
        doc->flags &= static_cast<uint16_t>(~kDocCSource);
}

bool CheckDocumentSyntax(TextDocument* doc, std::string* report) {
    std::vector<LineView> lines = DocumentLines(doc);
    return CheckSyntax(AsSource(lines), doc->name, report);
}

TextLine* FindTimeStampLine(TextDocument* doc) {
    const char* start = MessageText(kMsgTimeStampStart);
    const size_t n = std::strlen(start);
    if (n == 0) return nullptr;
    for (TextLine* l = FirstLine(doc); l; l = NextLine(doc, l))
        if (static_cast<size_t>(l->length) >= n && std::memcmp(l->text, start, n) == 0 && std::strstr(l->text, "$D"))
            return l;
    return nullptr;
}

void InstallAnalysisHooks() {
    g_document_hooks.drop_symbols = DropFunctionIndex;
    g_document_hooks.rebuild_symbols = RebuildSymbols;
    g_document_hooks.symbols_stale = InvalidateFunctions;
    g_document_hooks.choose_language = ChooseDocumentLanguage;
    g_document_hooks.check_braces = CheckDocumentSyntax;
    g_document_hooks.find_time_stamp_line = FindTimeStampLine;
}
