// The main menu ("EditMenu"): popups in order with their items' command ids.
#include "shell/commands.h"

namespace {

constexpr MenuItem Item(uint16_t command, const char* label) { return {command, label, nullptr}; }
constexpr MenuItem Popup(const char* label, const MenuItem* items) { return {0, label, items}; }
constexpr MenuItem kSeparator = {0, nullptr, nullptr};
constexpr MenuItem kEnd = {kMenuEnd, nullptr, nullptr};

const MenuItem kFile[] = {
    Item(1101, "&New"), Item(1102, "&Open..."), Item(1200, "Open &binary..."), Item(1139, "&Insert a file"),
    kSeparator, Item(1103, "&Save"), Item(1104, "Save &as..."), Item(1167, "Save a&ll"), Item(1151, "&Reload"),
    Item(1109, "&Close"), kSeparator, Item(1105, "&Print..."), kEnd,
};
const MenuItem kDescription[] = {Item(1176, "&Function..."), Item(1183, "F&ile..."), kEnd};
const MenuItem kEdit[] = {
    Item(1110, "&Undo"), kSeparator, Item(1111, "Cu&t"), Item(1112, "&Copy"), Item(1113, "&Paste"),
    Item(1201, "Copy &function..."), Item(1126, "Copy to &File"), kSeparator, Item(1220, "&Level"),
    Item(1170, "&Mark block"), Item(1142, "Set &bookmark"), Item(1189, "Spaces->tabs"),
    Item(1190, "Tabs->Spaces"), Item(1191, "&Recenter"), Popup("&Description", kDescription),
    Item(1177, "Show c&hanges..."), Item(1178, "Ref&ormat..."), kEnd,
};
const MenuItem kGoto[] = {
    Item(1121, "&Top"), Item(1122, "&End"), Item(1123, "&Line"), Item(1168, "&Function"),
    Item(1210, "&Previous function"), Item(1209, "&Next function"), Item(1143, "&Bookmark"), kEnd,
};
const MenuItem kBookmarks[] = {
    Item(1142, "&Set"), Item(1143, "&Goto"), Item(1144, "Goto &next"), Item(1145, "&Delete"), kEnd,
};
const MenuItem kSearch[] = {
    Item(1137, "&Find..."), Item(1135, "Find &Next"), Item(1136, "Find &Previous"), Item(1120, "&Replace ..."),
    Item(1150, "&Grep..."), kSeparator, Popup("G&oto", kGoto), Popup("&Bookmarks", kBookmarks), kSeparator,
    Item(1168, "Functions &list..."), Item(1175, "&Structures list..."), Item(1185, "Search a f&unction..."),
    Item(1158, "Search &definition"), Item(1204, "Symbol &usage"), kSeparator, Item(1182, "&ID..."),
    Item(1184, "Identify &file..."), kEnd,
};
const MenuItem kProject[] = {
    Item(1119, "&Configuration"), kSeparator, Item(1229, "C&reate..."), Item(1225, "&Open..."),
    Item(1198, "&Close..."), Item(1246, "&Erase..."), Item(1231, "&Add/Delete files..."), kSeparator,
    Item(1274, "E&xport..."), Item(1275, "&Import..."), Item(1276, "Open a&ll files"), Item(1262, "O&utline"),
    kEnd,
};
const MenuItem kResourceNew[] = {
    Item(1453, "&Dialog"), Item(1454, "&Menu"), Item(1455, "&Icon"), Item(1456, "&Cursor"),
    Item(1263, "&Accelerator"), Item(1457, "&Bitmap"), Item(1261, "&Strings"), kEnd,
};
// The resource editor supplies these items' texts when it runs.
const MenuItem kAlignment[] = {Item(7040, "Left"), Item(7041, "Centre"), Item(7042, "Right"), kEnd};
const MenuItem kSpacing[] = {Item(7043, "Across"), Item(7044, "Down"), Item(7045, "Even"), kEnd};
const MenuItem kSameSize[] = {Item(7046, "Width"), Item(7047, "Height"), Item(7048, "Both"), kEnd};
const MenuItem kButtons[] = {Item(7049, "Right"), Item(7050, "Bottom"), Item(7051, "Help"), kEnd};
const MenuItem kResources[] = {
    Item(1265, "&Open"), Item(1450, "Show &directory"), Item(1253, "S&ymbols"), Item(1260, "&Group"),
    Popup("&New", kResourceNew), Popup("&Alignment", kAlignment), Popup("S&pacing", kSpacing),
    Popup("Same si&ze", kSameSize), Popup("&Buttons", kButtons), Item(1459, "&Zoom"), Item(7053, "&Config"),
    Item(1462, "C&lose"), kEnd,
};
const MenuItem kCompiler[] = {
    Item(1156, "&Make"), Item(1192, "Show &results..."), Item(1271, "&Link"), Item(1267, "&Generate Makefile"),
    Item(1270, "Re&build all"), kSeparator, Item(1268, "&Debugger"), Item(1245, "Brea&kpoints"),
    Item(1273, "&Set breakpoint"), kEnd,
};
const MenuItem kAnalysis[] = {
    Item(1257, "&Obj Xref"), Item(1195, "Function &Tree"), Item(1169, "Generate .&HLP..."),
    Item(1219, "&Strings..."), Item(1179, "File &metrics"), Item(1180, "F&unction metrics"),
    Item(1181, "Write &prototypes"), Item(1174, "&Browse fn defs"), Item(1193, "Show &globals"),
    Item(1187, "Slice by &local"), Item(1194, "File &relations"), Item(1203, "&Audit"), kEnd,
};
const MenuItem kUtils[] = {
    Item(1124, "&Execute..."), Item(1161, "&Diff..."), Item(1250, "&Profiler"), Popup("&Analysis", kAnalysis),
    Item(1251, "Apply pa&tch"), Item(1297, "Executable &stats"), kEnd,
};
const MenuItem kVersions[] = {
    Item(1223, "&Get..."), Item(1224, "Get &all..."), Item(1222, "&Put..."), Item(1238, "P&ut all..."),
    kSeparator, Item(1241, "&Change locks..."), Item(1226, "See &locks..."), Item(1232, "&Differences..."),
    Item(1244, "&Function history..."), Item(1227, "&Revisions..."), Item(1239, "See l&og..."),
    Item(1236, "D&efaults..."), Item(1240, "Erase..."), Item(1242, "&Query..."),
    Item(1243, "See &operations..."), kSeparator, Item(1235, "&Save release..."),
    Item(1234, "Get rele&ase..."), Item(1237, "Sho&w release..."), kEnd,
};
const MenuItem kArrange[] = {Item(1132, "&Tile"), Item(1254, "&Disposition..."), Item(1133, "Arrange &icons"), kEnd};
const MenuItem kWindow[] = {Item(1131, "&Cascade"), Item(1130, "&Statistics"), Popup("&Arrange", kArrange), kEnd};
const MenuItem kHelp[] = {Item(14000, "&Index"), Item(1107, "&About"), Item(1291, "&Version"), kEnd};

void Walk(const MenuItem* items, void (*visit)(uint16_t, void*), void* context) {
    for (const MenuItem* i = items; i->command != kMenuEnd; ++i) {
        if (i->popup) Walk(i->popup, visit, context);
        else if (i->command != 0) visit(i->command, context);
    }
}

}  // namespace

const MenuPopup kMainMenu[] = {
    {"&File", kFile}, {"&Edit", kEdit}, {"&Search", kSearch}, {"&Project", kProject},
    {"&Resources", kResources}, {"&Compiler", kCompiler}, {"&Utils", kUtils}, {"&Versions", kVersions},
    {"&Window", kWindow}, {"&Help", kHelp}, {nullptr, nullptr},
};

void ForEachMenuCommand(void (*visit)(uint16_t, void*), void* context) {
    for (const MenuPopup* p = kMainMenu; p->label; ++p) Walk(p->items, visit, context);
}
