// The function list, moving between functions, and the globals list.
#include <windows.h>

#include "analysis/analysis_commands_w32.h"
#include "analysis/analysis_views_w32.h"
#include "analysis/document_scan.h"
#include "analysis/generated_file.h"
#include "analysis/navigation.h"
#include "editor/text_document.h"
#include "editor/view_commands_w32.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"

namespace {

constexpr uint16_t kMsgFunctionsIn = 4507;
constexpr uint16_t kMsgGlobalsIn = 4506;

// The function the user picks from the document's list, or null.
const FunctionRecord* PickFunction(TextDocument* doc, int caret_line) {
    if (!RequireFunctions(doc)) return nullptr;
    const FunctionIndex* index = DocumentFunctions(doc);
    std::vector<std::string> names;
    for (const FunctionRecord& f : index->functions) names.push_back(f.name);
    const FunctionRecord* here = FunctionAtDocumentLine(doc, caret_line);
    int row = ChooseRow(FormatText(MessageText(kMsgFunctionsIn), LastComponent(doc->name).c_str()), names,
                        here ? static_cast<int>(here - index->functions.data()) : 0);
    return row < 0 ? nullptr : &DocumentFunctions(doc)->functions[row];
}

void GoToFunction(const FunctionRecord* (*choose)(const FunctionIndex&, int32_t)) {
    int line = 0;
    TextDocument* doc = CurrentDocument(&line);
    if (!doc || !RequireFunctions(doc)) return;
    const FunctionRecord* f = choose(*DocumentFunctions(doc), line);
    if (f) EditorGoToLine(f->header_line);
    else MessageBeep(MB_OK);
}

}  // namespace

void FunctionListCommand() {
    int line = 0;
    TextDocument* doc = CurrentDocument(&line);
    if (!doc) return;
    if (const FunctionRecord* f = PickFunction(doc, line)) EditorGoToLine(f->header_line);
}

void NextFunctionCommand() { GoToFunction(NextFunction); }
void PreviousFunctionCommand() { GoToFunction(PreviousFunction); }

void FunctionMetricsCommand() {
    int line = 0;
    TextDocument* doc = CurrentDocument(&line);
    const FunctionRecord* f = doc ? PickFunction(doc, line) : nullptr;
    FunctionMetrics m;
    if (!f || !MeasureDocumentFunction(doc, *f, &m)) return;
    const std::string name = f->name;
    std::vector<FunctionMetrics> all = DocumentMetrics(doc);
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].name == name) return ShowMetricsDialog(all, static_cast<int>(i));
}

void GlobalsCommand() {
    TextDocument* doc = CurrentDocument();
    if (!doc) return;
    std::vector<GlobalRecord> globals = DocumentGlobals(doc);
    if (globals.empty()) return;
    std::vector<std::string> rows;
    for (const GlobalRecord& g : globals) {
        size_t text = g.text.find_first_not_of(" \t");
        rows.push_back(FormatText("%s\t%d\t%s", g.name.c_str(), g.line,
                                  text == std::string::npos ? "" : g.text.c_str() + text));
    }
    int row = ChooseRow(FormatText(MessageText(kMsgGlobalsIn), LastComponent(doc->name).c_str()), rows, 0);
    if (row >= 0) ShowDocumentLine(globals[row].path.c_str(), globals[row].line);
}
