#include "editor/line_matcher.h"

#include "editor/text_search.h"
#include "shell/messages.h"
#include "shell/report.h"

bool PrepareLineMatcher(const char* text, FindFlags flags, LineMatcher* out) {
    out->flags = flags;
    out->text = text ? text : "";
    out->regex = CompiledRegex{};
    if (out->text.empty()) {
        ShowErrorId(1214);
        return false;
    }
    if (flags & kFindRegularExpression) return CompileRegex(out->text.c_str(), false, &out->regex);
    return true;
}

int MatchForward(const LineMatcher& matcher, const char* line, int length, int from, int* match_length) {
    bool ignore_case = matcher.flags & kFindIgnoreCase;
    if (matcher.flags & kFindSimilarWords)
        return FindSimilarWord(line, length, from, matcher.text.data(), static_cast<int>(matcher.text.size()),
                               ignore_case, match_length);
    if (matcher.flags & kFindRegularExpression) {
        int at = FindRegexInLine(matcher.regex, line, length, from, match_length);
        return at == length && *match_length == 0 ? -1 : at;
    }
    TextQuery query{matcher.text.data(), static_cast<int>(matcher.text.size()), ignore_case,
                    (matcher.flags & kFindWholeWords) != 0};
    *match_length = query.length;
    return FindTextInLine(line, length, from, query);
}

int MatchBackward(const LineMatcher& matcher, const char* line, int length, int before, int* match_length) {
    if (!(matcher.flags & (kFindRegularExpression | kFindSimilarWords))) {
        TextQuery query{matcher.text.data(), static_cast<int>(matcher.text.size()),
                        (matcher.flags & kFindIgnoreCase) != 0, (matcher.flags & kFindWholeWords) != 0};
        *match_length = query.length;
        return FindTextInLineBackward(line, length, before, query);
    }
    // Expressions and similar words only run forwards: keep the last start before the limit.
    int best = -1;
    for (int from = 0, n; from < before; from = best + 1) {
        int at = MatchForward(matcher, line, length, from, &n);
        if (at < 0 || at >= before) break;
        best = at;
        *match_length = n;
    }
    return best;
}

void CollectLineMatches(const LineMatcher& matcher, const char* line, int length, int from, LineMatches* out) {
    out->clear();
    int previous_end = -1;
    for (int at = from; at <= length;) {
        int n;
        int found = MatchForward(matcher, line, length, at, &n);
        if (found < 0) break;
        if (n == 0 && found == previous_end) {
            at = found + 1;
            continue;
        }
        out->push_back({found, n});
        previous_end = found + n;
        at = n == 0 ? found + 1 : found + n;
    }
}

std::string ReplaceMatches(const char* line, int length, const LineMatches& matches, const std::string& replacement) {
    std::string result;
    int copied = 0;
    for (const auto& [column, n] : matches) {
        result.append(line + copied, column - copied);
        result += replacement;
        copied = column + n;
    }
    result.append(line + copied, length - copied);
    return result;
}
