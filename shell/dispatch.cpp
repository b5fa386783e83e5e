#include "shell/dispatch.h"

#include <algorithm>
#include <iterator>

#include "shell/commands.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

// Commands whose behaviour lives in the owning Part, reached through the handler table.
const uint16_t kHandlerCommands[] = {
    // Debugger
    100, 300, 330, 340, 350, 360, 670, 3004, 3005, 3006, 3007, 3008, 3009, 3010,
    // Files and editing
    1101, 1102, 1103, 1110, 1119, 1125, 1111, 1113, 1114, 1115, 1116, 1118, 1120, 1127, 1129, 1130, 1135, 1136, 1137,
    1139, 1143, 1144, 1145, 1150, 1151, 1153, 1154, 1155, 1157, 1159, 1160, 1161, 1163, 1164, 1165,
    1166, 1167, 1168, 1169, 1170, 1171, 1172, 1174, 1175, 1176, 1177, 1178, 1179, 1180, 1181, 1182, 1183,
    1184, 1185, 1187, 1188, 1189, 1190, 1191, 1193, 1194, 1195, 1198, 1199, 1200, 1201, 1203, 1204, 1205,
    1207, 1208, 1209, 1210, 1211, 1212, 1219, 1280,
    // Versions and projects
    1222, 1223, 1224, 1225, 1226, 1227, 1228, 1229, 1230, 1231, 1232, 1234, 1235, 1236, 1237, 1238, 1239,
    1240, 1241, 1242, 1243, 1244, 1245, 1246, 1248, 1250, 1251, 1254, 1257, 1262, 1264, 1265, 1267, 1270,
    1271, 1272, 1273, 1274, 1275, 1276, 1290, 1291, 1295, 1296, 1297,
};
constexpr size_t kHandlerCount = std::size(kHandlerCommands);
CommandHandler g_handlers[kHandlerCount];

// Commands the frame handles itself.
bool FrameHandles(uint16_t c) {
    switch (c) {
        case 1104: case 1105: case 1106: case 1107: case 1109: case 1112: case 1117: case 1121: case 1122:
        case 1123: case 1124: case 1126: case 1128: case 1140: case 1131: case 1132: case 1133: case 1142: case 1152:
        case 1156: case 1158: case 1192: case 1220: case 1247: case 1268: case 14000:
            return true;
        default:
            // The resource editor's own commands go to its window when it exists.
            return (c >= 1214 && c <= 1217) || (c >= 1300 && c <= 1312) || (c >= 1450 && c <= 1462) ||
                   (c >= 7040 && c <= 7053) || c == 1253 || c == 1260 || c == 1261 || c == 1263;
    }
}

// While the resource editor's window is active these go to it.
const uint16_t kResourceEditorCommands[] = {1103, 1104, 1151, 1110, 1111, 1112, 1113, 1109, 1459, 1453,
                                            1141, 1134, 1454, 1450, 1253, 1259, 1260, 1263, 1261, 7053};

int HandlerIndex(uint16_t command) {
    for (size_t i = 0; i < kHandlerCount; ++i)
        if (kHandlerCommands[i] == command) return static_cast<int>(i);
    return -1;
}

LastAction g_last_action;

}  // namespace

CommandRouting RouteCommand(const DispatchState& state, uint16_t command) {
    if (state.debugging && command >= 1000 && command <= 1012) {
        uint16_t mapped = CommandForKey(kDebuggerKeys, static_cast<uint16_t>(command - 888), 0);
        if (mapped) command = mapped;
    }
    if (state.resource_editor_active &&
        std::find(std::begin(kResourceEditorCommands), std::end(kResourceEditorCommands), command) !=
            std::end(kResourceEditorCommands))
        return {CommandRoute::ResourceEditor, command, nullptr};
    if (!state.document_open && command != 1117 && command != 1276) {
        const KeyRow* row = KeyRowOf(command);
        if (row && row->without_document == 0) return {CommandRoute::Ignored, command, nullptr};
    }
    int h = HandlerIndex(command);
    if (h >= 0) return {CommandRoute::Handler, command, g_handlers[h]};
    if (FrameHandles(command)) return {CommandRoute::Frame, command, nullptr};
    if (!state.debugging && command >= 3501 && command <= 3600) return {CommandRoute::InterProcess, command, nullptr};
    if (state.debugging && command >= 400 && command < 400 + state.module_count)
        return {CommandRoute::DebuggerModule, command, nullptr};
    return {CommandRoute::Default, command, nullptr};
}

void RecordLastAction(uint16_t command, uintptr_t parameter, void* active_child) {
    g_last_action = {command, parameter, active_child};
}

const LastAction& LastDispatched() { return g_last_action; }

bool SetCommandHandler(uint16_t command, CommandHandler handler) {
    int h = HandlerIndex(command);
    if (h < 0) return false;
    g_handlers[h] = handler;
    return true;
}

bool IsHandlerCommand(uint16_t command) { return HandlerIndex(command) >= 0; }
bool IsFrameCommand(uint16_t command) { return FrameHandles(command); }

void ForEachHandlerCommand(void (*visit)(uint16_t, void*), void* context) {
    for (uint16_t c : kHandlerCommands) visit(c, context);
}

void ReportNotAvailable(uint16_t command) {
    const char* what = CommandDescription(command);
    if (*what) ShowStatus(FormatText("Not available yet: %s (command %d)", what, command), StatusColour::Red);
    else ShowStatus(FormatText("Not available yet: command %d", command), StatusColour::Red);
}
