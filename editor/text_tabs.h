#pragma once
// Tab expansion and the tab conversions of leading white space.
#include <string>

#include "editor/edit_cursor.h"

// The expanded column of character index `column` (tabs to the next multiple of `tab`).
int ExpandedColumn(const char* text, int length, int column, int tab);
// The character index whose expanded column is nearest at or before `expanded`.
int ColumnOfExpanded(const char* text, int length, int expanded, int tab);
// The line's text with tabs expanded, cut at `limit` characters.
std::string ExpandTabs(const char* text, int length, int tab, int limit);

// Leading blanks and tabs: their count and their expanded width.
int LeadingWhiteSpace(const char* text, int length, int tab, int* width);
// Indentation of `width` columns: width / tab tabs, then the remainder in blanks.
std::string IndentText(int width, int tab);

// Tabs->Spaces (1190): leading white space holding a tab becomes blanks of its width.
// Spaces->tabs (1189): leading white space holding blanks that holds a tab or is at
// least a tab wide becomes tabs and blanks. One journal step each; the caret keeps its
// line number and column. Return the number of lines changed.
int ConvertTabsToSpaces(EditCursor* cursor);
int ConvertSpacesToTabs(EditCursor* cursor);
