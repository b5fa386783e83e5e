#include "tools/grep.h"

#include "editor/text_search.h"
#include "tools/file_mask.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

bool ContainsWord(const char* line, int length, const std::string& word) {
    return FindLiteral(line, length, 0, word.data(), static_cast<int>(word.size()), true) >= 0;
}

}  // namespace

bool PrepareGrep(const GrepParameters& params, GrepSearch* search) {
    *search = GrepSearch{};
    search->params = params;
    search->ignore_case = !(params.flags & kGrepMatchCase);
    search->whole_words = params.flags & kGrepWholeWords;
    if (params.flags & kGrepMultiple) {
        search->words = SplitAtBlanks(params.text);
        if (!search->words.empty()) {
            search->mode = GrepSearch::Mode::Words;
            search->ignore_case = true;  // several words always ignore case and word bounds
            search->whole_words = false;
            return true;
        }
    }
    if (params.flags & kGrepRegularExpression) {
        search->mode = GrepSearch::Mode::Expression;
        if (!CompileRegex(params.text.c_str(), search->ignore_case, &search->regex)) return false;
        if (search->whole_words) RequireWholeWords(&search->regex);
        if (!search->ignore_case) search->prefilter = search->regex.required;
        return true;
    }
    search->mode = GrepSearch::Mode::Plain;
    if (!search->ignore_case) search->prefilter = params.text;
    return true;
}

bool GrepLineMatches(const GrepSearch& search, const char* line, int length) {
    switch (search.mode) {
        case GrepSearch::Mode::Words:
            for (const std::string& word : search.words)
                if (!ContainsWord(line, length, word)) return false;
            return true;
        case GrepSearch::Mode::Expression: {
            int n;
            return FindRegexInLine(search.regex, line, length, 0, &n) >= 0;
        }
        case GrepSearch::Mode::Plain: {
            TextQuery query{search.params.text.data(), static_cast<int>(search.params.text.size()),
                            search.ignore_case, search.whole_words};
            return length >= query.length && FindTextInLine(line, length, 0, query) >= 0;
        }
    }
    return false;
}

void FinishGrep(const GrepParameters& params, GrepResult* result) {
    std::string notes;
    if (result->stopped) notes += " (stopped)";
    if (result->hit_limit) notes += FormatText(" (stopped after %d hits)", static_cast<int>(kGrepHitLimit));
    if (!result->unreadable.empty())
        notes += FormatText(" (%d files could not be read)", static_cast<int>(result->unreadable.size()));
    if (result->binary_files > 0) notes += FormatText(" (%d binary files skipped)", result->binary_files);
    if (result->hits.empty()) {
        result->summary.clear();
        ShowStatus((FormatText("'%s': not found", params.text.c_str()) + notes).c_str(), StatusColour::Red);
        return;
    }
    result->summary = FormatText("Searching for '%s' in '%s': %d hits.", params.text.c_str(), params.masks.c_str(),
                                 static_cast<int>(result->hits.size()));
    if (!notes.empty()) ShowStatus((result->summary + notes).c_str(), StatusColour::Red);
}
