#include "shell/frame_w32.h"

#include <shellapi.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "analysis/analysis_commands_w32.h"
#include "build/build_run_w32.h"
#include "build/build_state.h"
#include "build/compile_file_w32.h"
#include "editor/edit_window_w32.h"
#include "editor/text_document.h"
#include "project/current_project.h"
#include "project/utilities_w32.h"
#include "editor/view_commands_w32.h"
#include "shell/app_state_w32.h"
#include "shell/close_dialog_w32.h"
#include "shell/commands.h"
#include "shell/dispatch.h"
#include "shell/format_buffer.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/report.h"
#include "shell/resource_editor_w32.h"
#include "shell/shared_area_w32.h"
#include "shell/shell_hooks_w32.h"

namespace {

constexpr int kResourcesPopup = 4;  // the fifth popup; the sixth while a child is maximized
constexpr int kAboutDialog = 17300;

HMENU BuildPopup(const MenuItem* items) {
    HMENU menu = CreatePopupMenu();
    for (const MenuItem* i = items; i->command != kMenuEnd; ++i) {
        if (i->popup) {
            AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(BuildPopup(i->popup)), i->label);
        } else if (!i->label) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            char hint[32];
            KeyHint(i->command, hint, sizeof hint);
            std::string text = i->label;
            if (*hint) text += std::string("\t") + hint;
            AppendMenuA(menu, MF_STRING, i->command, text.c_str());
        }
    }
    return menu;
}

// A second instance shows the title with "0" appended.
std::string ProgramTitle() { return std::string(kProgramTitle) + (g_app->another_instance ? "0" : ""); }

bool BuildRunning() { return CurrentBuildState() != BuildState::Idle; }

HWND ActiveChild(BOOL* maximized = nullptr) {
    if (!g_app->mdi_client) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(g_app->mdi_client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
}

bool DocumentOpen() { return g_shell_hooks.any_document_open && g_shell_hooks.any_document_open(); }

void LayOutFrame(HWND frame) {
    RECT r;
    GetClientRect(frame, &r);
    int out_h = g_app->output ? g_app->output_height : 0;
    if (out_h > r.bottom) out_h = r.bottom;
    if (g_app->output) MoveWindow(g_app->output, 0, r.bottom - out_h, r.right, out_h, TRUE);
    if (g_app->mdi_client) MoveWindow(g_app->mdi_client, 0, 0, r.right, r.bottom - out_h, TRUE);
}

void UpdateMenuState(HMENU menu) {
    UpdateBuildMenuItems(menu);
    MenuContext context;
    context.document_open = DocumentOpen();
    context.configuration_saving = g_app->save_configuration;
    context.build_running = BuildRunning();
    if (const Project* project = CurrentProject()) {
        context.project_current = true;
        context.project_named = !project->name.empty();
        context.project_has_make = project->has_make;
        context.link_disabled = (project->compiler_flags & 0x400) != 0;
    }
    if (EditWindow* view = CurrentView()) {
        const TextDocument* doc = view->cursor.doc;
        context.document_open = doc && _stricmp(doc->name, "untitled") != 0;
        context.document_modified = doc && IsModified(doc);
        context.has_selection = view->cursor.anchor.line != nullptr &&
                                (view->cursor.anchor.line != view->cursor.caret.line ||
                                 view->cursor.anchor.column != view->cursor.caret.column);
        context.c_source = doc && (doc->flags & kDocCSource);
    }
    for (const KeyRow* row = kCommandKeys; row->command; ++row)
        EnableMenuItem(menu, row->command, MF_BYCOMMAND | (CommandEnabled(row->command, context) ? MF_ENABLED : MF_GRAYED));
    BOOL maximized = FALSE;
    HWND child = ActiveChild(&maximized);
    HMENU resources = GetSubMenu(menu, kResourcesPopup + (maximized ? 1 : 0));
    bool editor_active = child && child == ResourceEditorWindow() && !g_app->debugging;
    for (UINT c : {1450u, 1451u, 1452u}) EnableMenuItem(menu, c, MF_BYCOMMAND | (editor_active ? MF_ENABLED : MF_GRAYED));
    if (resources) {
        for (int pos = 2; pos <= 10; ++pos)
            EnableMenuItem(resources, pos, MF_BYPOSITION | (editor_active ? MF_ENABLED : MF_GRAYED));
        if (editor_active) {
            EnableMenuItem(resources, 0, MF_BYPOSITION | MF_GRAYED);
            ResourceEditorInitMenu(resources);
        } else if (ResourceEditorWindow()) {
            EnableMenuItem(menu, 1265, MF_BYCOMMAND | MF_GRAYED);
        }
    }
}

void ShowMenuHelp(UINT item, UINT flags, HMENU menu) {
    if (!g_app->output) return;
    if (flags == 0xFFFF && !menu) {  // the menu closed
        SendMessageA(g_app->output, kMsgOutputStatusMenu, kMsgOutputStatusMenu, reinterpret_cast<LPARAM>(""));
        return;
    }
    if (!DocumentOpen() || (flags & (MF_POPUP | MF_GRAYED | MF_DISABLED | MF_SEPARATOR))) return;
    std::string text = UtilityMenuHelp(static_cast<int>(item));
    const char* description = CommandDescription(static_cast<uint16_t>(item));
    if (text.empty() && *description) text = FormatText("%s.", description);
    if (text.empty()) return;
    SendMessageA(g_app->output, kMsgOutputStatusMenu, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, 101, MessageText(4233));
        SetDlgItemTextA(dialog, 102, MessageText(4234));
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

// Commands the frame handles itself; those of subsystems not built yet report so.
void RunFrameCommand(HWND frame, UINT command, LPARAM parameter) {
    switch (command) {
        case 1106:
        case 1140:
            PostMessageA(frame, WM_CLOSE, 0, 0);
            return;
        case 1107:
            DialogBoxParamA(g_app->instance, MAKEINTRESOURCEA(kAboutDialog), frame, AboutProc, 0);
            return;
        case 1109:
            if (HWND child = ActiveChild()) SendMessageA(child, WM_CLOSE, 0, 0);
            return;
        case 1117:
            if (parameter) OpenNamedFile(reinterpret_cast<const char*>(parameter), false);
            return;
        case 1131:
            SendMessageA(g_app->mdi_client, WM_MDICASCADE, 0, 0);
            return;
        case 1132:
            SendMessageA(g_app->mdi_client, WM_MDITILE, MDITILE_VERTICAL, 0);
            return;
        case 1133:
            SendMessageA(g_app->mdi_client, WM_MDIICONARRANGE, 0, 0);
            return;
        case 1112:
            EditorCopy();
            return;
        case 1121:
            EditorTop();
            return;
        case 1122:
            EditorEnd();
            return;
        case 1123:
            EditorGoToLineDialog();
            return;
        case 1126:
            EditorCopyToFile();
            return;
        case 1142:
            EditorSetBookmark();
            return;
        case 1220:
            EditorToggleBraceLevels();
            return;
        case 1156:
            if (!g_app->debugging) StartBuild();
            return;
        case 1158:
            DefinitionCommand();
            return;
        case 1152:
            UtilitiesDialog();
            return;
        case 1192:
            if (BuildRunning()) ShowStatus(MessageText(4565), StatusColour::Red);
            else ShowBuildResults();
            return;
        default:
            break;
    }
    if (command >= 1300 && command <= 1312) {
        RunUtility(static_cast<int>(command));
        return;
    }
    if ((command >= 1450 && command <= 1462) || (command >= 7040 && command <= 7053) || command == 1253 ||
        command == 1260 || command == 1261 || command == 1263) {
        if (HWND editor = ResourceEditorWindow()) {
            SendMessageA(editor, WM_COMMAND, command, 0);
            return;
        }
    }
    ReportNotAvailable(static_cast<uint16_t>(command));
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: {
            CLIENTCREATESTRUCT ccs{};
            ccs.hWindowMenu = g_app->window_popup;
            ccs.idFirstChild = kFirstChildId;
            g_app->frame = frame;
            g_app->mdi_client = CreateWindowExA(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE, "mdiclient", nullptr,
                                                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                                0, 0, 0, 0, frame, nullptr, g_app->instance, &ccs);
            PostMessageA(frame, kMsgLayout, 0, 0);
            DragAcceptFiles(frame, TRUE);
            return 0;
        }
        case WM_DESTROY:
            g_app->mdi_client = nullptr;
            if (g_app->child_brush) DeleteObject(g_app->child_brush);
            g_app->child_brush = nullptr;
            PostQuitMessage(0);
            return 0;
        case WM_MOVE:
        case WM_SIZE:
            if (!IsIconic(frame) && !IsZoomed(frame)) GetWindowRect(frame, &g_app->frame_normal);
            LayOutFrame(frame);
            return message == WM_SIZE ? 0 : DefFrameProcA(frame, g_app->mdi_client, message, wparam, lparam);
        case kMsgLayout:
            LayOutFrame(frame);
            return 0;
        case WM_SETFOCUS:
            if (!g_app->opening_in_progress && wparam && GetParent(reinterpret_cast<HWND>(wparam)) != frame &&
                !IsChild(frame, reinterpret_cast<HWND>(wparam)))
                PostMessageA(frame, kMsgCheckDisk, 0, 0);
            break;
        case kMsgCheckDisk:
            return 0;  // documents check themselves once the editor is present
        case WM_CLOSE:
        case WM_QUERYENDSESSION:
            if (!FrameMayClose(frame)) return 0;
            if (message == WM_QUERYENDSESSION) return 1;
            DestroyWindow(frame);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_ACTIVATEAPP:  // the internal clipboard and the system's change hands
            if (wparam) TakeSystemClipboard();
            else PublishClipboard();
            break;
        case WM_GETMINMAXINFO: {
            TEXTMETRICA tm{};
            HDC dc = GetDC(frame);
            HGDIOBJ old = SelectObject(dc, g_app->editor_font ? g_app->editor_font : GetStockObject(ANSI_FIXED_FONT));
            GetTextMetricsA(dc, &tm);
            SelectObject(dc, old);
            ReleaseDC(frame, dc);
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            info->ptMinTrackSize.x = info->ptMinTrackSize.y = 30 * tm.tmAveCharWidth;
            return 0;
        }
        case WM_INITMENU:
            UpdateMenuState(reinterpret_cast<HMENU>(wparam));
            return 0;
        case WM_MENUSELECT:
            ShowMenuHelp(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HMENU>(lparam));
            return 0;
        case WM_MENUCHAR: {
            UINT ch = static_cast<UINT>(toupper(LOWORD(wparam) & 0xFF));
            for (const KeyRow* row = kCommandKeys; row->command; ++row)
                if (row->key == ch && (row->modifiers & kModAlt)) {
                    DispatchCommand(frame, row->command, 0);
                    return MAKELRESULT(0, 1);
                }
            break;
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == 1128) {
                if (g_shell_hooks.close_all_documents && !g_shell_hooks.close_all_documents()) return 0;
                if (FrameMayClose(frame)) DestroyWindow(frame);
                return 0;
            }
            return DispatchCommand(frame, LOWORD(wparam), lparam);
        case kMsgDispatch:
            return DispatchCommand(frame, static_cast<UINT>(wparam), lparam);
        case WM_DROPFILES: {
            HDROP drop = reinterpret_cast<HDROP>(wparam);
            UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                char name[401];
                if (DragQueryFileA(drop, i, name, sizeof name)) OpenNamedFile(name, false);
            }
            DragFinish(drop);
            return 0;
        }
        case kMsgExternalText:
            if (BuildRunning() && g_app->output) return SendMessageA(g_app->output, kMsgExternalText, wparam, lparam);
            return 0;
        case kMsgBuildRunning:
            return BuildRunning();
        case kMsgFrameKey:
            return ForwardKeyToCurrentView(wparam, lparam);
        default:
            break;
    }
    return DefFrameProcA(frame, g_app->mdi_client, message, wparam, lparam);
}

}  // namespace

ShellHooks g_shell_hooks;

bool RegisterWindowClasses(HINSTANCE instance) {
    struct ClassRow {
        const char* name;
        WNDPROC proc;
        LPCSTR cursor;
        HBRUSH brush;
    };
    const ClassRow rows[] = {
        {g_app->frame_class, FrameProc, IDC_ARROW, g_app->frame_brush},
        {"smallTextPopup", DefWindowProcA, IDC_ARROW, g_app->yellow_brush},
    };
    for (const ClassRow& row : rows) {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS | CS_OWNDC;
        wc.lpfnWndProc = row.proc;
        wc.cbWndExtra = kWindowExtraBytes;
        wc.hInstance = instance;
        wc.hIcon = g_app->document_icon;
        wc.hCursor = LoadCursorA(nullptr, row.cursor);
        wc.hbrBackground = row.brush;
        wc.lpszClassName = row.name;
        if (!RegisterClassA(&wc)) return false;
    }
    return true;
}

HMENU BuildMainMenu() {
    HMENU bar = CreateMenu();
    for (const MenuPopup* p = kMainMenu; p->label; ++p)
        AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(BuildPopup(p->items)), p->label);
    return bar;
}

HACCEL BuildAccelerators() {
    ACCEL keys[13];
    keys[0] = {FALT | FVIRTKEY, VK_BACK, 1110};
    for (int i = 0; i < 12; ++i) keys[i + 1] = {FSHIFT | FVIRTKEY, static_cast<WORD>(VK_F1 + i), static_cast<WORD>(1300 + i)};
    return CreateAcceleratorTableA(keys, 13);
}

HWND CreateFrame(int x, int y, int width, int height, bool maximized) {
    std::string title = ProgramTitle();
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (maximized ? WS_MAXIMIZE : 0);
    return CreateWindowExA(0, g_app->frame_class, title.c_str(), style, x, y, width, height, nullptr, g_app->main_menu,
                           g_app->instance, nullptr);
}

void SetFrameTitle(const char* project_name) {
    std::string title = ProgramTitle();
    if (project_name && *project_name) title = std::string(FormatText("%s-%s", title.c_str(), project_name));
    for (char& c : title) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    SetWindowTextA(g_app->frame, title.c_str());
}

LRESULT DispatchCommand(HWND frame, UINT command, LPARAM parameter) {
    DispatchState state;
    state.debugging = g_app->debugging;
    HWND child = ActiveChild();
    state.resource_editor_active = child && child == ResourceEditorWindow();
    state.document_open = DocumentOpen();
    CommandRouting routing = RouteCommand(state, static_cast<uint16_t>(command));
    switch (routing.route) {
        case CommandRoute::ResourceEditor:
            return SendMessageA(child, WM_COMMAND, routing.command, 0);
        case CommandRoute::Ignored:
            return 0;
        default:
            break;
    }
    RecordLastAction(routing.command, static_cast<uintptr_t>(parameter), child);
    switch (routing.route) {
        case CommandRoute::Handler:
            if (routing.handler) routing.handler();
            else ReportNotAvailable(routing.command);
            return 0;
        case CommandRoute::Frame:
            RunFrameCommand(frame, routing.command, parameter);
            return 0;
        case CommandRoute::InterProcess:
            return HandleInterProcessCommand(*g_app, routing.command);
        case CommandRoute::DebuggerModule:
            ReportNotAvailable(routing.command);
            return 0;
        default:
            return DefFrameProcA(frame, g_app->mdi_client, WM_COMMAND, command, parameter);
    }
}

bool OpenNamedFile(const char* name, bool maximize) {
    if (NamesExecutable(name)) {
        ReportNotAvailable(1268);
        return false;
    }
    if (IsResourceFileName(name)) return StartResourceEditor(name);
    if (!g_shell_hooks.open_file) {
        ReportNotAvailable(1102);
        return false;
    }
    g_app->opening_in_progress = 1;
    bool ok = g_shell_hooks.open_file(name, maximize);
    g_app->opening_in_progress = 0;
    return ok;
}

bool FrameMayClose(HWND frame) {
    if (BuildRunning()) {  // the build's worker still writes its results to this window
        ShowStatus(MessageText(4565), StatusColour::Red);
        return false;
    }
    if (g_app->debugging) {
        if (!AskId(31)) return false;
        g_app->debugging = false;
    }
    if (!CloseResourceEditor()) return false;
    if (!AskToSaveModifiedDocuments()) return false;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(frame, &placement);
    g_app->frame_normal = placement.rcNormalPosition;
    g_app->frame_zoomed = IsZoomed(frame) != 0;
    if (g_app->save_configuration && g_shell_hooks.save_configuration) g_shell_hooks.save_configuration();
    return true;
}
