#pragma once
// The command tables: the key table (which doubles as the list of all commands), the
// debugger key table, command descriptions and the main menu's structure.
#include <cstdint>

enum KeyModifier : uint16_t {
    kModCtrl = 1,
    kModAlt = 2,
    kModShift = 4,
    kModCarried = 16,  // carried on a few rows, takes no part in matching
};

struct KeyRow {
    uint16_t key;        // virtual-key code, 0 when the command has no key
    uint16_t command;
    uint16_t modifiers;  // KeyModifier bits
    uint16_t without_document;  // 1 when the command may run with no document open
};

// Ended by a row whose command is 0.
extern const KeyRow kCommandKeys[];
extern const KeyRow kDebuggerKeys[];

// The command bound to a key with the given Ctrl/Alt/Shift bits held, or 0. The first
// matching row wins; a row matches only when exactly its modifiers are held.
uint16_t CommandForKey(const KeyRow* table, uint16_t key, uint16_t held);

// The key-table row of a command, or null.
const KeyRow* KeyRowOf(uint16_t command);

// The first key bound to the command as a menu hint ("Ctrl+S"), empty when none.
void KeyHint(uint16_t command, char* out, int size);

// The command's one-line description (message id command + 7000), "" when none.
const char* CommandDescription(uint16_t command);

// The main menu: popups of items; an item is a command, a separator, or a nested popup.
struct MenuItem {
    uint16_t command;       // 0 for a separator or a nested popup; kMenuEnd ends a list
    const char* label;      // null for a separator
    const MenuItem* popup;  // the nested popup's items, or null
};

inline constexpr uint16_t kMenuEnd = 0xFFFF;

struct MenuPopup {
    const char* label;
    const MenuItem* items;
};

extern const MenuPopup kMainMenu[];  // ended by a popup with a null label

// Calls visit(command) for every command reachable from the main menu, nested popups included.
void ForEachMenuCommand(void (*visit)(uint16_t command, void* context), void* context);
