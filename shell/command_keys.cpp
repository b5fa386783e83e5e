#include <cstdio>
#include <cstring>

#include "shell/commands.h"
#include "shell/messages.h"

namespace {

// Virtual-key codes used by the tables.
enum : uint16_t {
    kVkBack = 0x08, kVkEscape = 0x1B, kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24,
    kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28, kVkInsert = 0x2D, kVkDelete = 0x2E,
    kVkF1 = 0x70, kVkF2, kVkF3, kVkF4, kVkF5, kVkF6, kVkF7, kVkF8, kVkF9, kVkF10, kVkF11, kVkF12,
};
constexpr uint16_t C = kModCtrl, A = kModAlt, S = kModShift, X = kModCarried;

}  // namespace

const KeyRow kCommandKeys[] = {
    {kVkF1, 1296, 0, 1},
    {kVkF2, 1273, 0, 0},
    {'S', 1103, C | X, 0},
    {'X', 1106, A | X, 1},
    {kVkF4, 1106, A, 1},
    {kVkBack, 1110, A | X, 0},
    {kVkDelete, 1111, S, 0},
    {kVkInsert, 1112, C, 0},
    {kVkInsert, 1113, S, 0},
    {kVkDown, 1115, S, 0},
    {kVkDown, 1166, S, 0},  // shadowed by the row above
    {kVkUp, 1153, S, 0},
    {kVkRight, 1154, S, 0},
    {kVkLeft, 1155, S, 0},
    {kVkEnd, 1188, S, 0},
    {kVkHome, 1199, S, 0},
    {kVkPrior, 1211, S, 0},
    {kVkNext, 1212, S, 0},
    {kVkHome, 1171, C | S, 0},
    {kVkEnd, 1172, C | S, 0},
    {kVkRight, 1165, C | S, 0},
    {kVkLeft, 1272, C | S, 0},
    {kVkRight, 1163, C, 0},
    {kVkLeft, 1164, C, 0},
    {kVkRight, 1207, C, 0},  // shadowed
    {kVkLeft, 1208, C, 0},   // shadowed
    {kVkF11, 1191, C, 0},
    {kVkF11, 1116, 0, 0},
    {kVkEscape, 1118, S, 0},
    {kVkHome, 1121, C, 0},
    {kVkEnd, 1122, C, 0},
    {'G', 1123, C | X, 0},
    {kVkF12, 1168, 0, 0},
    {kVkF12, 1175, A, 0},
    {kVkF3, 1137, A, 0},
    {kVkF3, 1135, 0, 0},
    {kVkF3, 1136, C, 0},
    {kVkF5, 1268, 0, 0},
    {kVkF5, 1295, C, 0},
    {kVkF7, 1142, 0, 0},
    {kVkF7, 1143, C, 0},
    {kVkF7, 1144, C | S, 0},
    {kVkF8, 1158, 0, 0},
    {kVkF8, 1204, C, 0},
    {kVkF9, 1156, 0, 1},
    // Commands without a key: the rest of the command list.
    {0, 1101, 0, 1}, {0, 1102, 0, 1}, {0, 1104, 0, 0}, {0, 1105, 0, 0}, {0, 1107, 0, 1},
    {0, 1109, 0, 0}, {0, 1114, 0, 0}, {0, 1117, 0, 1}, {0, 1119, 0, 1}, {0, 1120, 0, 0},
    {0, 1124, 0, 1}, {0, 1125, 0, 1}, {0, 1126, 0, 0}, {0, 1127, 0, 1}, {0, 1128, 0, 1},
    {0, 1129, 0, 0}, {0, 1130, 0, 0}, {0, 1131, 0, 0}, {0, 1132, 0, 0}, {0, 1133, 0, 0},
    {0, 1139, 0, 0}, {0, 1140, 0, 1}, {0, 1145, 0, 0}, {0, 1150, 0, 1}, {0, 1151, 0, 0},
    {0, 1152, 0, 1}, {0, 1157, 0, 1}, {0, 1159, 0, 1}, {0, 1160, 0, 1}, {0, 1161, 0, 1},
    {0, 1167, 0, 0}, {0, 1169, 0, 0}, {0, 1170, 0, 0}, {0, 1174, 0, 0}, {0, 1176, 0, 0},
    {0, 1177, 0, 0}, {0, 1178, 0, 0}, {0, 1179, 0, 0}, {0, 1180, 0, 0}, {0, 1181, 0, 0},
    {0, 1182, 0, 0}, {0, 1183, 0, 0}, {0, 1184, 0, 0}, {0, 1185, 0, 0}, {0, 1187, 0, 0},
    {0, 1189, 0, 0}, {0, 1190, 0, 0}, {0, 1192, 0, 0}, {0, 1193, 0, 0}, {0, 1194, 0, 0},
    {0, 1195, 0, 0}, {0, 1198, 0, 1}, {0, 1200, 0, 1}, {0, 1201, 0, 0}, {0, 1203, 0, 0},
    {0, 1204, 0, 0}, {0, 1205, 0, 0}, {0, 1209, 0, 0}, {0, 1210, 0, 0}, {0, 1219, 0, 0},
    {0, 1220, 0, 0}, {0, 1222, 0, 0}, {0, 1223, 0, 0}, {0, 1224, 0, 0}, {0, 1225, 0, 1},
    {0, 1226, 0, 0}, {0, 1227, 0, 0}, {0, 1228, 0, 0}, {0, 1229, 0, 1}, {0, 1230, 0, 0},
    {0, 1231, 0, 1}, {0, 1232, 0, 0}, {0, 1234, 0, 0}, {0, 1235, 0, 0}, {0, 1236, 0, 0},
    {0, 1237, 0, 0}, {0, 1238, 0, 0}, {0, 1239, 0, 0}, {0, 1240, 0, 0}, {0, 1241, 0, 0},
    {0, 1242, 0, 0}, {0, 1243, 0, 0}, {0, 1244, 0, 0}, {0, 1245, 0, 0}, {0, 1246, 0, 1},
    {0, 1247, 0, 0}, {0, 1248, 0, 1}, {0, 1250, 0, 0}, {0, 1251, 0, 0}, {0, 1253, 0, 0},
    {0, 1254, 0, 0}, {0, 1257, 0, 0}, {0, 1260, 0, 0}, {0, 1261, 0, 0}, {0, 1262, 0, 0},
    {0, 1263, 0, 0}, {0, 1264, 0, 0}, {0, 1265, 0, 0}, {0, 1267, 0, 0}, {0, 1270, 0, 0},
    {0, 1271, 0, 0}, {0, 1274, 0, 0}, {0, 1275, 0, 0}, {0, 1276, 0, 0}, {0, 1290, 0, 0},
    {0, 1291, 0, 0}, {0, 1297, 0, 0},
    // Recent files, resource editor, user utilities and help.
    {0, 1214, 0, 1}, {0, 1215, 0, 1}, {0, 1216, 0, 1}, {0, 1217, 0, 1},
    {0, 1450, 0, 0}, {0, 1451, 0, 0}, {0, 1452, 0, 0}, {0, 1453, 0, 0}, {0, 1454, 0, 0},
    {0, 1455, 0, 0}, {0, 1456, 0, 0}, {0, 1457, 0, 0}, {0, 1459, 0, 0}, {0, 1462, 0, 0},
    {0, 7053, 0, 0},
    {0, 1300, 0, 0}, {0, 1301, 0, 0}, {0, 1302, 0, 0}, {0, 1303, 0, 0}, {0, 1304, 0, 0},
    {0, 1305, 0, 0}, {0, 1306, 0, 0}, {0, 1307, 0, 0}, {0, 1308, 0, 0}, {0, 1309, 0, 0},
    {0, 1310, 0, 0}, {0, 1311, 0, 0},
    {0, 14000, 0, 1},
    {0, 0, 0, 0},
};

const KeyRow kDebuggerKeys[] = {
    {kVkF2, 300, 0, 0}, {kVkF7, 330, 0, 0}, {kVkF5, 340, 0, 0},
    {kVkF8, 350, 0, 0}, {kVkF4, 360, 0, 0}, {kVkF9, 670, 0, 0},
    {0, 0, 0, 0},
};

uint16_t CommandForKey(const KeyRow* table, uint16_t key, uint16_t held) {
    const uint16_t wanted = held & (kModCtrl | kModAlt | kModShift);
    for (const KeyRow* r = table; r->command != 0; ++r)
        if (r->key == key && key != 0 && (r->modifiers & (kModCtrl | kModAlt | kModShift)) == wanted)
            return r->command;
    return 0;
}

const KeyRow* KeyRowOf(uint16_t command) {
    for (const KeyRow* r = kCommandKeys; r->command != 0; ++r)
        if (r->command == command) return r;
    return nullptr;
}

void KeyHint(uint16_t command, char* out, int size) {
    if (size <= 0) return;
    out[0] = '\0';
    const KeyRow* r = KeyRowOf(command);
    if (!r || r->key == 0) return;
    char key[16];
    switch (r->key) {
        case kVkBack: strcpy(key, "Backspace"); break;
        case kVkEscape: strcpy(key, "Esc"); break;
        case kVkPrior: strcpy(key, "PgUp"); break;
        case kVkNext: strcpy(key, "PgDn"); break;
        case kVkEnd: strcpy(key, "End"); break;
        case kVkHome: strcpy(key, "Home"); break;
        case kVkLeft: strcpy(key, "Left"); break;
        case kVkUp: strcpy(key, "Up"); break;
        case kVkRight: strcpy(key, "Right"); break;
        case kVkDown: strcpy(key, "Down"); break;
        case kVkInsert: strcpy(key, "Ins"); break;
        case kVkDelete: strcpy(key, "Del"); break;
        default:
            if (r->key >= kVkF1 && r->key <= kVkF12) snprintf(key, sizeof key, "F%d", r->key - kVkF1 + 1);
            else snprintf(key, sizeof key, "%c", r->key);
    }
    snprintf(out, size, "%s%s%s%s", (r->modifiers & kModCtrl) ? "Ctrl+" : "",
             (r->modifiers & kModAlt) ? "Alt+" : "", (r->modifiers & kModShift) ? "Shift+" : "", key);
}

const char* CommandDescription(uint16_t command) {
    return MessageText(command == 14000 ? 21000 : static_cast<uint16_t>(command + kDescriptionOffset));
}
