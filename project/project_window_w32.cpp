#include "project/project_window_w32.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "analysis/document_scan.h"
#include "editor/text_document.h"
#include "project/current_project.h"
#include "project/file_info_dialog_w32.h"
#include "project/file_list_dialog_w32.h"
#include "project/file_system.h"
#include "project/prj_file.h"
#include "project/project_outline.h"
#include "project/project_session_w32.h"
#include "shell/app_state_w32.h"
#include "shell/format_buffer.h"
#include "shell/report.h"
#include "shell/shell_hooks_w32.h"

namespace {

constexpr const char* kClass = "MorlaProjectWindow";
enum : int { kTreeId = 100 };
enum : UINT { kInsertFiles = 1, kExport, kUsage, kDefinition, kActivate, kProperties };

enum class NodeKind { Project, File, Group, Function };
struct Node {
    NodeKind kind;
    std::string path;  // the file's full path (file and function nodes)
    int line = 0;      // the function's line
};

HWND g_window = nullptr, g_tree = nullptr;
std::vector<Node> g_nodes;

TextDocument* OpenDocument(const std::string& path) {
    for (TextDocument* doc = FirstDocument(); doc; doc = doc->next)
        if (SameTextNoCase(doc->name, path)) return doc;
    return nullptr;
}

HTREEITEM AddItem(HTREEITEM parent, const std::string& text, Node node) {
    g_nodes.push_back(std::move(node));
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.lParam = static_cast<LPARAM>(g_nodes.size() - 1);
    return reinterpret_cast<HTREEITEM>(SendMessageA(g_tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void AddFunctions(HTREEITEM file, TextDocument* doc, const std::string& path) {
    const FunctionIndex* index = DocumentFunctions(doc);
    if (!index) return;
    std::vector<std::string> names;
    for (const FunctionRecord& f : index->functions) names.push_back(f.name);
    for (const FunctionGroup& g : GroupFunctions(names)) {
        HTREEITEM parent = g.label.empty() ? file : AddItem(file, g.label, Node{NodeKind::Group, path});
        for (const std::string& name : g.names) {
            const FunctionRecord* f = FindFunction(*index, name.c_str());
            AddItem(parent, name, Node{NodeKind::Function, path, f ? f->header_line : 1});
        }
    }
}

void FillTree(const Project& p) {
    SendMessageA(g_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    g_nodes.clear();
    HTREEITEM root = AddItem(TVI_ROOT, p.name, Node{NodeKind::Project, ""});
    for (const std::string& file : p.files) {
        std::string path = ProjectFilePath(file, p.sources_dir);
        HTREEITEM item = AddItem(root, LowerText(file), Node{NodeKind::File, path});
        if (TextDocument* doc = OpenDocument(path)) {
            AddFunctions(item, doc, path);
            SendMessageA(g_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        }
    }
    SendMessageA(g_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
}

// A third of the frame's client area at its top left, as high as the files need.
void Place(const Project& p) {
    RECT client{0, 0, 640, 480};
    if (g_app && g_app->mdi_client) GetClientRect(g_app->frame, &client);
    POINT corner{0, 0};
    if (g_app && g_app->frame) ClientToScreen(g_app->frame, &corner);
    int item = static_cast<int>(SendMessageA(g_tree, TVM_GETITEMHEIGHT, 0, 0));
    int chrome = GetSystemMetrics(SM_CYSMCAPTION) + 2 * GetSystemMetrics(SM_CYSIZEFRAME);
    int height = std::min<int>(client.bottom, std::max<int>(client.bottom / 3, (static_cast<int>(p.files.size()) + 3) * item + chrome));
    SetWindowPos(g_window, nullptr, corner.x, corner.y, client.right / 3, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

const Node* SelectedNode(HTREEITEM* out = nullptr) {
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(g_tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (out) *out = item;
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!item || !SendMessageA(g_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return nullptr;
    size_t i = static_cast<size_t>(data.lParam);
    return i < g_nodes.size() ? &g_nodes[i] : nullptr;
}

bool OpenFile(const std::string& path) { return g_shell_hooks.open_file && g_shell_hooks.open_file(path.c_str(), false); }

void GoToFunction(const Node& n) {
    if (OpenFile(n.path) && g_shell_hooks.go_to_line) g_shell_hooks.go_to_line(n.line);
}

void Run(UINT choice, Node node) {
    Project* p = CurrentProject();
    switch (choice) {
        case kInsertFiles:
            ProjectFilesCommand();
            return;
        case kExport:
            if (p) {
                SaveCurrentProjectConfiguration();
                ExportProject(p->name, FsWorkingDirectory());
            }
            return;
        case kDefinition:
            GoToFunction(node);
            return;
        case kUsage:
            GoToFunction(node);
            if (g_app && g_app->frame) PostMessageA(g_app->frame, WM_COMMAND, 1204, 0);
            return;
        case kActivate:
            OpenFile(node.path);
            if (p) FillTree(*p);
            return;
        case kProperties:
            if (OpenFile(node.path)) FileInformationCommand();
            return;
        default:
            return;
    }
}

void ContextMenu(POINT screen) {
    TVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(g_tree, &hit.pt);
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(g_tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item) SendMessageA(g_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    const Node* n = SelectedNode();
    if (!n || n->kind == NodeKind::Group) return;
    Node node = *n;
    HMENU menu = CreatePopupMenu();
    if (node.kind == NodeKind::Project) {
        AppendMenuA(menu, MF_STRING, kInsertFiles, "Insert/delete files");
        AppendMenuA(menu, MF_STRING, kExport, "Export");
    } else if (node.kind == NodeKind::Function) {
        AppendMenuA(menu, MF_STRING, kUsage, "Usage");
        AppendMenuA(menu, MF_STRING, kDefinition, "Definition");
    } else {
        AppendMenuA(menu, MF_STRING, kActivate, OpenDocument(node.path) ? "Activate" : "Open");
        AppendMenuA(menu, MF_STRING, kProperties, "Properties");
    }
    UINT choice = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, g_window, nullptr));
    DestroyMenu(menu);
    Run(choice, node);
}

LRESULT CALLBACK ProjectWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZE:
            if (g_tree) MoveWindow(g_tree, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lparam);
            if (header->idFrom != kTreeId) break;
            if (header->code == NM_DBLCLK) {
                const Node* n = SelectedNode();
                if (n && n->kind == NodeKind::File) Run(kActivate, *n);
                if (n && n->kind == NodeKind::Function) Run(kDefinition, *n);
                return 1;
            }
            if (header->code == NM_RCLICK) {
                POINT at;
                GetCursorPos(&at);
                ContextMenu(at);
                return 1;
            }
            break;
        }
        case WM_CONTEXTMENU:
            ContextMenu(POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
            return 0;
        case WM_DESTROY:
            g_window = g_tree = nullptr;
            g_nodes.clear();
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool Create(const Project& p) {
    HINSTANCE instance = g_app ? g_app->instance : GetModuleHandleA(nullptr);
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ProjectWindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kClass;
        registered = RegisterClassA(&wc) != 0;
    }
    g_window = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, FormatText("Project: %s", p.name.c_str()), WS_OVERLAPPEDWINDOW,
                               0, 0, 200, 200, g_app ? g_app->frame : nullptr, nullptr, instance, nullptr);
    if (!g_window) return false;
    g_tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                             TVS_SHOWSELALWAYS, 0, 0, 0, 0, g_window, reinterpret_cast<HMENU>(kTreeId), instance, nullptr);
    return g_tree != nullptr;
}

}  // namespace

HWND ProjectWindow() { return g_window; }

void RefreshProjectWindow() {
    if (const Project* p = CurrentProject(); p && g_window) FillTree(*p);
}

void ProjectWindowCommand() {
    Project* p = CurrentProject();
    if (!p) {
        ShowError("No project defined");
        return;
    }
    if (!g_window && !Create(*p)) {
        ReportSystemFailure("CreateWindowEx", static_cast<int>(GetLastError()));
        return;
    }
    SetWindowTextA(g_window, FormatText("Project: %s", p->name.c_str()));
    FillTree(*p);
    Place(*p);
    ShowWindow(g_window, SW_SHOW);
    SetForegroundWindow(g_window);
}
