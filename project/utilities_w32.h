#pragma once
// User utilities on Win32: their items in the Utils menu, running one (Shift+F1..F12,
// commands 1300-1311), and the utilities dialog (command 1152).
#include <string>

// Runs the utility with that command id; "No utilities defined" when there is none.
void RunUtility(int command);

// Appends the configured utilities after a separator in the Utils menu (once, at start-up).
void AddUtilityMenuItems();

// The utilities dialog: "Defined utilities" and the fields of the selected one.
void UtilitiesDialog();

// "Execute %s %s." for a utility's menu item; empty for any other command.
std::string UtilityMenuHelp(int command);
