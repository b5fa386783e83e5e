#pragma once
// Ids of the texts in analysis/messages.inc.
#include <cstdint>

enum : uint16_t {
    kMsgOpenFunction = 4700,
    kMsgNoFunctions = 4701,
    kMsgUnfinishedString = 4702,
    kMsgBadCharConstant = 4703,
    kMsgEndifWithoutIf = 4704,
    kMsgTooManyParens = 4705,
    kMsgSyntaxError = 4706,
    kMsgTooManyBrackets = 4707,
    kMsgMismatchedParens = 4708,
    kMsgTooManyBraces = 4709,
    kMsgMismatchedBraces = 4710,
    kMsgIfWithoutEndif = 4711,
    kMsgEmptyFunction = 4712,
    kMsgNoStrings = 4713,
    kMsgAppendStrings = 4714,
    kMsgDestroyFile = 4715,
    kMsgPlaceCursor = 4716,
    kMsgNotIdentifier = 4717,
    kMsgNoDefinition = 4718,
    kMsgNoGlobals = 4719,
    kMsgNotFound = 4720,
    kMsgNoEndLine = 4721,
    kMsgNoArrayEnd = 4722,
    kMsgCannotRead = 4723,
};
