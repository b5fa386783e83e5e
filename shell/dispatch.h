#pragma once
// The one command dispatcher's routing: every command, from a menu, a key, another Part or
// another process, is routed here; the frame carries out the route.
#include <cstdint>

using CommandHandler = void (*)();

struct DispatchState {
    bool debugging = false;
    bool resource_editor_active = false;
    bool document_open = false;
    int module_count = 0;  // modules of the debuggee, for the Modules menu
};

enum class CommandRoute {
    ResourceEditor,  // sent on to the resource editor's window
    Ignored,         // needs a document and none is open
    Handler,         // the handler table's routine runs
    Frame,           // handled by the frame itself
    InterProcess,    // 3501-3600, from another process through the shared area
    DebuggerModule,  // 400 + n while debugging: open module n's source
    Default,         // unknown: default frame handling, no message
};

struct CommandRouting {
    CommandRoute route;
    uint16_t command;  // after the debugger's key remapping
    CommandHandler handler;
};

// The last dispatched command, recorded for the command journal.
struct LastAction {
    uint16_t command;
    uintptr_t parameter;
    void* active_child;
};

CommandRouting RouteCommand(const DispatchState& state, uint16_t command);
void RecordLastAction(uint16_t command, uintptr_t parameter, void* active_child);
const LastAction& LastDispatched();

// The handler table: the commands whose owning Part supplies a routine taking no arguments.
// Until a Part installs its routine, the command reports that it is not available yet.
bool SetCommandHandler(uint16_t command, CommandHandler handler);
bool IsHandlerCommand(uint16_t command);
bool IsFrameCommand(uint16_t command);
void ForEachHandlerCommand(void (*visit)(uint16_t command, void* context), void* context);

// Reports on the status line that the command's Part is not built yet.
void ReportNotAvailable(uint16_t command);
