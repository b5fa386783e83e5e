#include <gtest/gtest.h>

#include <set>

#include "shell/commands.h"
#include "shell/dispatch.h"
#include "shell/menu_state.h"
#include "tests/support/recorded_reports.h"

namespace {
constexpr uint16_t kF12 = 0x7B, kDown = 0x28, kRight = 0x27, kS = 'S';

std::set<uint16_t> MenuCommands() {
    std::set<uint16_t> all;
    ForEachMenuCommand([](uint16_t c, void* ctx) { static_cast<std::set<uint16_t>*>(ctx)->insert(c); }, &all);
    return all;
}
}  // namespace

TEST(CommandKeys, FirstMatchingRowWinsAndModifiersMustMatchExactly) {
    EXPECT_EQ(CommandForKey(kCommandKeys, kDown, kModShift), 1115);  // 1166's row is shadowed
    EXPECT_EQ(CommandForKey(kCommandKeys, kF12, 0), 1168);
    EXPECT_EQ(CommandForKey(kCommandKeys, kF12, kModAlt), 1175);
    EXPECT_EQ(CommandForKey(kCommandKeys, kF12, kModShift), 0);
    EXPECT_EQ(CommandForKey(kCommandKeys, kRight, kModCtrl), 1163);
    EXPECT_EQ(CommandForKey(kCommandKeys, kRight, kModCtrl | kModShift), 1165);
    EXPECT_EQ(CommandForKey(kCommandKeys, 0x76, kModCtrl | kModShift), 1144);  // Ctrl+Shift+F7
    EXPECT_EQ(CommandForKey(kCommandKeys, kS, kModCtrl), 1103);
    EXPECT_EQ(CommandForKey(kCommandKeys, kS, 0), 0);
    EXPECT_EQ(CommandForKey(kDebuggerKeys, 0x74, 0), 340);  // F5
}

TEST(CommandKeys, TableListsEveryMenuCommandOnce) {
    std::set<uint16_t> in_table;
    int rows = 0;
    for (const KeyRow* r = kCommandKeys; r->command; ++r, ++rows)
        if (r->key == 0) {
            EXPECT_TRUE(in_table.insert(r->command).second) << r->command;
        }
    for (const KeyRow* r = kCommandKeys; r->command; ++r) in_table.insert(r->command);
    for (uint16_t c : MenuCommands())
        if (c < 7040 || c > 7051) {
            EXPECT_TRUE(in_table.count(c)) << "menu command " << c << " missing";
        }
    EXPECT_GE(rows, 140);
}

TEST(CommandKeys, HintsAndDescriptions) {
    char hint[32];
    KeyHint(1103, hint, sizeof hint);
    EXPECT_STREQ(hint, "Ctrl+S");
    KeyHint(1144, hint, sizeof hint);
    EXPECT_STREQ(hint, "Ctrl+Shift+F7");
    KeyHint(1101, hint, sizeof hint);
    EXPECT_STREQ(hint, "");
    EXPECT_STREQ(CommandDescription(1156), "Build the current executable");
    EXPECT_STREQ(CommandDescription(14000), "Show the on-line documentation");
}

TEST(Dispatch, WithoutDocumentOnlyAllowedCommandsRun) {
    DispatchState none;
    EXPECT_EQ(RouteCommand(none, 1103).route, CommandRoute::Ignored);  // Ctrl+S
    EXPECT_EQ(RouteCommand(none, 1101).route, CommandRoute::Handler);
    EXPECT_EQ(RouteCommand(none, 1102).route, CommandRoute::Handler);
    EXPECT_EQ(RouteCommand(none, 1225).route, CommandRoute::Handler);
    EXPECT_EQ(RouteCommand(none, 1276).route, CommandRoute::Handler);  // the exception
    EXPECT_EQ(RouteCommand(none, 1117).route, CommandRoute::Frame);
    DispatchState doc;
    doc.document_open = true;
    EXPECT_EQ(RouteCommand(doc, 1103).route, CommandRoute::Handler);
}

TEST(Dispatch, DebuggerRemapsFunctionKeyCommandsAndModules) {
    DispatchState s;
    s.debugging = true;
    s.document_open = true;
    s.module_count = 3;
    CommandRouting r = RouteCommand(s, 1004);  // F5 as 1004
    EXPECT_EQ(r.command, 340);
    EXPECT_EQ(r.route, CommandRoute::Handler);
    EXPECT_EQ(RouteCommand(s, 402).route, CommandRoute::DebuggerModule);
    EXPECT_EQ(RouteCommand(s, 403).route, CommandRoute::Default);
    EXPECT_EQ(RouteCommand(s, 3501).route, CommandRoute::Default);  // refused while debugging
    s.debugging = false;
    EXPECT_EQ(RouteCommand(s, 3501).route, CommandRoute::InterProcess);
}

TEST(Dispatch, ResourceEditorTakesItsCommands) {
    DispatchState s;
    s.document_open = true;
    s.resource_editor_active = true;
    EXPECT_EQ(RouteCommand(s, 1103).route, CommandRoute::ResourceEditor);
    EXPECT_EQ(RouteCommand(s, 1156).route, CommandRoute::Frame);
}

TEST(Dispatch, EveryTableCommandReachesAHandlerOrTheFrame) {
    DispatchState s;
    s.document_open = true;
    for (const KeyRow* r = kCommandKeys; r->command; ++r) {
        CommandRouting routing = RouteCommand(s, r->command);
        EXPECT_TRUE(routing.route == CommandRoute::Handler || routing.route == CommandRoute::Frame)
            << "command " << r->command << " is not routed";
    }
}

TEST(Dispatch, InstalledHandlerIsRoutedAndNotAvailableIsReported) {
    static int calls = 0;
    ASSERT_TRUE(SetCommandHandler(1161, [] { ++calls; }));
    EXPECT_FALSE(SetCommandHandler(1106, [] {}));  // the frame's own command
    DispatchState s;
    CommandRouting r = RouteCommand(s, 1161);
    ASSERT_NE(r.handler, nullptr);
    r.handler();
    EXPECT_EQ(calls, 1);
    SetCommandHandler(1161, nullptr);
    RecordedReports reports;
    ReportNotAvailable(1161);
    ASSERT_EQ(reports.statuses.size(), 1u);
    EXPECT_NE(reports.statuses[0].find("Find out the differences between two files"), std::string::npos);
}

TEST(MenuState, GreyingRules) {
    MenuContext none;
    EXPECT_FALSE(CommandEnabled(1103, none));
    EXPECT_TRUE(CommandEnabled(1101, none));
    EXPECT_TRUE(CommandEnabled(1276, none));
    MenuContext doc;
    doc.document_open = true;
    EXPECT_FALSE(CommandEnabled(1103, doc));  // not modified
    doc.document_modified = true;
    EXPECT_TRUE(CommandEnabled(1103, doc));
    EXPECT_FALSE(CommandEnabled(1112, doc));  // no selection
    EXPECT_FALSE(CommandEnabled(1267, doc));  // no project
    EXPECT_FALSE(CommandEnabled(1179, doc));  // not C
    doc.project_current = doc.project_has_make = true;
    EXPECT_TRUE(CommandEnabled(1156, doc));
    EXPECT_FALSE(CommandEnabled(1223, doc));  // project without a name
    doc.build_running = true;
    EXPECT_FALSE(CommandEnabled(1268, doc));
    EXPECT_FALSE(CommandEnabled(1192, doc));
    EXPECT_TRUE(CommandEnabled(1151, doc));
}
