#pragma once
// The project and build commands of the handler table.
void InstallProjectCommands();

// The execute command (1295): the project's program outside the debugger.
void ExecuteProgram(bool dump);
