#pragma once
// Which commands the menus offer, from the program's state (rebuilt on each WM_INITMENU).
#include <cstdint>

struct MenuContext {
    bool document_open = false;     // false also when the current document is "UNTITLED"
    bool document_modified = false;
    bool has_selection = false;
    bool c_source = false;          // the current document is a C source
    bool configuration_saving = false;
    bool project_current = false;
    bool project_named = false;     // the project has a Name (CMS)
    bool project_has_releases = false;
    bool project_has_make = false;
    bool link_disabled = false;     // CompilerFlags carry 0x400
    bool build_running = false;
};

// True when the menu item of the command is enabled.
bool CommandEnabled(uint16_t command, const MenuContext& context);
