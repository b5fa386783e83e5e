#include "editor/search_options.h"

#include <algorithm>

#include "editor/search_history.h"
#include "shell/report.h"

FindFlags ChooseRegularExpression(FindFlags flags) {
    return (flags | kFindRegularExpression | kFindForwards) &
           ~(kFindExact | kFindIgnoreCase | kFindBackwards | kFindWrap | kFindSimilarWords);
}

FindFlags ChooseExact(FindFlags flags) { return (flags | kFindExact) & ~(kFindRegularExpression | kFindSimilarWords); }

FindFlags ChooseSimilarWords(FindFlags flags) {
    return (flags | kFindSimilarWords | kFindForwards) & ~(kFindRegularExpression | kFindExact | kFindBackwards);
}

FindFlags ChooseWrap(FindFlags flags) { return (flags | kFindWrap | kFindCurrentWindow) & ~kFindAllWindows; }

FindFlags ChooseByFunction(FindFlags flags) {
    return (flags | kFindCurrentWindow | kFindForwards | kFindWholeWords | kFindByFunction) &
           ~(kFindAllWindows | kFindBackwards | kFindWrap);
}

FindFlags FindNextFlags(FindFlags flags) {
    if (flags & kFindWrap) return (flags | kFindCurrentWindow) & ~kFindAllWindows;
    return (flags | kFindForwards) & ~kFindBackwards;
}

FindFlags FindPreviousFlags(FindFlags flags) { return (flags | kFindBackwards) & ~kFindForwards; }

bool AcceptSearch(SearchState* state, const std::string& text, FindFlags flags) {
    if (!(flags & (kFindForwards | kFindBackwards))) {
        ShowErrorId(1215);
        return false;
    }
    if (text.empty()) {
        ShowErrorId(1214);
        return false;
    }
    state->text = text.substr(0, kSearchTextLimit);
    state->flags = flags;
    AddToHistory(&state->history, state->text);
    return true;
}

std::string SelectionAsSearchText(const char* line, int length, int start, int end) {
    if (start > end) std::swap(start, end);
    if (start < 0 || end > length || start == end) return "";
    std::string text(line + start, end - start);
    if (text.find_first_of(" \t") != std::string::npos) return "";
    return text.substr(0, kSearchTextLimit);
}

bool FlagControlChecked(const FlagControl& c, FindFlags flags) { return ((flags & c.bit) != 0) != c.inverted; }

namespace {

// The choice that brings other bits along when a control's bit becomes set.
FindFlags ApplyChoice(FindFlags bit, FindFlags flags) {
    switch (bit) {
        case kFindRegularExpression: return ChooseRegularExpression(flags);
        case kFindExact: return ChooseExact(flags);
        case kFindSimilarWords: return ChooseSimilarWords(flags);
        case kFindWrap: return ChooseWrap(flags);
        case kFindByFunction: return ChooseByFunction(flags);
        default: return flags;
    }
}

}  // namespace

FindFlags ClickFlagControl(const FlagControl* controls, int count, uint16_t id, FindFlags flags) {
    const FlagControl* clicked = nullptr;
    for (int i = 0; i < count; ++i)
        if (controls[i].id == id) clicked = &controls[i];
    if (!clicked) return flags;
    if (clicked->group) {
        for (int i = 0; i < count; ++i)
            if (controls[i].group == clicked->group) flags &= ~controls[i].bit;
        if (!clicked->inverted) flags |= clicked->bit;
    } else {
        flags ^= clicked->bit;
    }
    return (flags & clicked->bit) ? ApplyChoice(clicked->bit, flags) : flags;
}
