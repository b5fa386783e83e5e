#include "editor/find_dialog_layout.h"

const FlagControl kSearchControls[] = {
    {kFindCurrentWindowButton, "Current window", kFindCurrentWindow, 1, false, 13, 35, 110},
    {kFindAllWindowsButton, "All windows", kFindAllWindows, 1, false, 13, 47, 110},
    {kFindIconizedButton, "Search iconized windows", kFindSkipMinimized, 0, true, 13, 59, 110},
    {kFindExactButton, "Exact", kFindExact, 2, false, 139, 35, 110},
    {kFindExpressionButton, "Regular expression", kFindRegularExpression, 2, false, 139, 47, 110},
    {kFindSimilarButton, "Similar words", kFindSimilarWords, 2, false, 139, 59, 110},
    {kFindIgnoreCaseButton, "Ignore case", kFindIgnoreCase, 3, false, 13, 89, 110},
    {kFindCaseSensitiveButton, "Case sensitive", kFindIgnoreCase, 3, true, 13, 101, 110},
    {kFindForwardsButton, "Forwards", kFindForwards, 4, false, 139, 89, 110},
    {kFindBackwardsButton, "Backwards", kFindBackwards, 4, false, 139, 101, 110},
    {kFindWrapButton, "Wrap", kFindWrap, 0, false, 139, 113, 110},
    {kFindWholeWordsButton, "Whole words", kFindWholeWords, 0, false, 13, 121, 110},
};
const int kSearchControlCount = sizeof kSearchControls / sizeof kSearchControls[0];

const FlagGroupBox kSearchGroups[] = {
    {"Scope", 7, 24, 120, 50},
    {"Kind of match", 133, 24, 120, 50},
    {"Case", 7, 78, 120, 38},
    {"Direction", 133, 78, 120, 50},
};
const int kSearchGroupCount = sizeof kSearchGroups / sizeof kSearchGroups[0];

const FlagControl kReplaceControls[] = {
    {kFindCurrentWindowButton, "Current window", kFindCurrentWindow, 1, false, 13, 51, 110},
    {kFindAllWindowsButton, "All windows", kFindAllWindows, 1, false, 13, 63, 110},
    {kFindExactButton, "Exact", kFindExact, 2, false, 139, 51, 110},
    {kFindExpressionButton, "Regular expression", kFindRegularExpression, 2, false, 139, 63, 110},
    {kFindIgnoreCaseButton, "Ignore", kFindIgnoreCase, 3, false, 13, 93, 110},
    {kFindCaseSensitiveButton, "Respect", kFindIgnoreCase, 3, true, 13, 105, 110},
    {kFindForwardsButton, "Forwards", kFindForwards, 4, false, 139, 93, 110},
    {kFindBackwardsButton, "Backwards", kFindBackwards, 4, false, 139, 105, 110},
    {kFindWrapButton, "Wrap", kFindWrap, 0, false, 139, 117, 110},
    {kReplaceConfirmButton, "Confirmation", kFindConfirm, 0, false, 13, 137, 110},
    {kFindWholeWordsButton, "Whole words", kFindWholeWords, 0, false, 13, 149, 110},
    {kReplaceByFunctionButton, "By function:", kFindByFunction, 0, false, 13, 161, 60},
};
const int kReplaceControlCount = sizeof kReplaceControls / sizeof kReplaceControls[0];

const FlagGroupBox kReplaceGroups[] = {
    {"Scope", 7, 40, 120, 38},
    {"Expression", 133, 40, 120, 38},
    {"Case", 7, 82, 120, 38},
    {"Direction", 133, 82, 120, 50},
};
const int kReplaceGroupCount = sizeof kReplaceGroups / sizeof kReplaceGroups[0];
