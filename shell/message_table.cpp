#include "shell/messages.h"

namespace {

struct MessageRecord {
    uint16_t id;
    const char* text;
};

// Packed and scanned in order; each subsystem keeps its own texts in <folder>/messages.inc.
const MessageRecord kMessageTable[] = {
#include "shell/messages.inc"
#include "editor/messages.inc"
#include "analysis/messages.inc"
#include "project/messages.inc"
#include "build/messages.inc"
#include "debugger/messages.inc"
#include "cms/messages.inc"
#include "config/messages.inc"
#include "tools/messages.inc"
    {0, nullptr},
};

}  // namespace

const char* MessageText(uint16_t id) {
    for (const MessageRecord* r = kMessageTable; r->id != 0; ++r)
        if (r->id == id) return r->text;
    return "";
}
