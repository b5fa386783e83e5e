#include "editor/text_tabs.h"

#include "editor/edit_text.h"
#include "editor/undo_journal.h"

int ExpandedColumn(const char* text, int length, int column, int tab) {
    if (tab < 1) tab = 1;
    int x = 0;
    for (int i = 0; i < column && i < length; ++i) x = text[i] == '\t' ? (x / tab + 1) * tab : x + 1;
    return x;
}

int ColumnOfExpanded(const char* text, int length, int expanded, int tab) {
    if (tab < 1) tab = 1;
    int x = 0;
    for (int i = 0; i < length; ++i) {
        int next = text[i] == '\t' ? (x / tab + 1) * tab : x + 1;
        if (next > expanded) return i;
        x = next;
    }
    return length;
}

std::string ExpandTabs(const char* text, int length, int tab, int limit) {
    if (tab < 1) tab = 1;
    std::string out;
    for (int i = 0; i < length && static_cast<int>(out.size()) < limit; ++i) {
        if (text[i] == '\t') out.append(static_cast<size_t>(tab - static_cast<int>(out.size()) % tab), ' ');
        else out += text[i];
    }
    if (static_cast<int>(out.size()) > limit) out.resize(static_cast<size_t>(limit));
    return out;
}

int LeadingWhiteSpace(const char* text, int length, int tab, int* width) {
    int n = 0;
    while (n < length && (text[n] == ' ' || text[n] == '\t')) ++n;
    if (width) *width = ExpandedColumn(text, length, n, tab);
    return n;
}

std::string IndentText(int width, int tab) {
    if (width <= 0) return {};
    if (tab < 1) tab = 1;
    return std::string(static_cast<size_t>(width / tab), '\t') + std::string(static_cast<size_t>(width % tab), ' ');
}

namespace {

// Rewrites the leading white space of every line for which `wanted` gives a new one.
template <typename Rewrite>
int RewriteIndentation(EditCursor* cursor, uint16_t command, Rewrite wanted) {
    TextDocument* doc = cursor->doc;
    int caret_number = cursor->caret.number, caret_column = cursor->caret.column;
    int changed = 0;
    JournalBegin(cursor, command);
    TextPosition p = StartOf(doc);
    while (!IsHead(doc, p)) {
        int width;
        int n = LeadingWhiteSpace(p.line->text, p.line->length, cursor->tab_width, &width);
        std::string old(p.line->text, static_cast<size_t>(n));
        std::string fresh;
        if (wanted(old, width, &fresh) && fresh != old) {
            int number = p.number;
            // Shrinking keeps the line record; the insertion tells where the line went.
            DeleteRange(doc, {p.line, number, 0}, {p.line, number, n}, nullptr);
            TextPosition end;
            if (!InsertTextAt(doc, {p.line, number, 0}, fresh.data(), static_cast<int>(fresh.size()), &end)) break;
            p = {end.line, number, 0};
            ++changed;
        }
        p = {p.line->next, p.number + 1, 0};
    }
    JournalEnd();
    cursor->caret = PositionNear(doc, cursor->caret, caret_number, caret_column);
    return changed;
}

}  // namespace

int ConvertTabsToSpaces(EditCursor* cursor) {
    return RewriteIndentation(cursor, 1190, [](const std::string& old, int width, std::string* fresh) {
        if (old.find('\t') == std::string::npos) return false;
        *fresh = std::string(static_cast<size_t>(width), ' ');
        return true;
    });
}

int ConvertSpacesToTabs(EditCursor* cursor) {
    int tab = cursor->tab_width < 1 ? 1 : cursor->tab_width;
    return RewriteIndentation(cursor, 1189, [tab](const std::string& old, int width, std::string* fresh) {
        if (old.find(' ') == std::string::npos) return false;
        if (old.find('\t') == std::string::npos && width < tab) return false;
        *fresh = IndentText(width, tab);
        return true;
    });
}
