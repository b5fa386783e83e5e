#include "analysis/analysis_commands_w32.h"
#include "shell/dispatch.h"

void InstallAnalysisCommands() {
    RegisterMetricsPlotClass();
    SetCommandHandler(1168, FunctionListCommand);
    SetCommandHandler(1209, NextFunctionCommand);
    SetCommandHandler(1210, PreviousFunctionCommand);
    SetCommandHandler(1193, GlobalsCommand);
    SetCommandHandler(1179, FileMetricsCommand);
    SetCommandHandler(1180, FunctionMetricsCommand);
    SetCommandHandler(1181, PrototypesCommand);
    SetCommandHandler(1219, StringTableCommand);
}
