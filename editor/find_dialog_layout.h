#pragma once
// The option controls of the Search (1700) and Search and replace (3700) dialogs: which
// FindFlags bit each shows and where it sits. The dialog procedures draw them and route
// their clicks through ClickFlagControl.
#include "editor/search_options.h"

enum : uint16_t {
    kFindTextField = 101,
    kFindCurrentWindowButton = 102,
    kFindAllWindowsButton = 103,
    kFindIconizedButton = 104,
    kFindExactButton = 105,
    kFindExpressionButton = 106,
    kFindSimilarButton = 107,
    kFindIgnoreCaseButton = 108,
    kFindCaseSensitiveButton = 109,
    kFindForwardsButton = 110,
    kFindBackwardsButton = 111,
    kFindWrapButton = 112,
    kFindWholeWordsButton = 113,
    kReplaceTextField = 114,
    kReplaceConfirmButton = 115,
    kReplaceByFunctionButton = 116,
    kReplaceFunctionList = 117,
};

// A group box around some of the controls, in dialog units.
struct FlagGroupBox {
    const char* title;
    short x, y, cx, cy;
};

extern const FlagControl kSearchControls[];
extern const int kSearchControlCount;
extern const FlagGroupBox kSearchGroups[];
extern const int kSearchGroupCount;

extern const FlagControl kReplaceControls[];
extern const int kReplaceControlCount;
extern const FlagGroupBox kReplaceGroups[];
extern const int kReplaceGroupCount;
