#include "config/configuration.h"

#include <cctype>

#include "config/config_lists.h"
#include "config/store.h"
#include "config/value_formats.h"
#include "shell/report.h"

namespace {

enum : uint16_t { kDebuggerArguments = 4522, kDebuggerExeName = 4523 };

// A text that keeps `field` when the value is missing.
void ReadText(const char* name, std::string& field) {
    std::string text;
    if (ReadString(name, text)) field = text;
}

void ReadTextById(uint16_t id, std::string& field) {
    std::string text;
    if (ReadStringById(id, text)) field = text;
}

void ReadNumber(const char* name, int& field) { field = ReadInt(name, field); }

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

// The directory above the include directory the compiler's key names.
std::string RootOfIncludePath(const std::string& include_path) {
    size_t cut = include_path.rfind('\\');
    return cut == std::string::npos ? std::string() : include_path.substr(0, cut);
}

void ReadCompilerPaths(Configuration& c) {
    ReadCompilerValue("Compiler", "includepath", c.include_path);
    if (c.include_path.find('\\') == std::string::npos)
        ShowError("Incorrect value for Include path in the registry\nKey: includePath");
    c.compiler_root = RootOfIncludePath(c.include_path);
    if (c.win_help_data_base.empty() && !c.compiler_root.empty())
        c.win_help_data_base = c.compiler_root + "\\bin\\win32hlp";
}

void ReadEditorSettings(Configuration& c) {
    ReadNumber("Tabsize", c.tab_size);
    ReadNumber("CommentColor", c.comment_color);
    ReadNumber("KeywordColor", c.keyword_color);
    ReadNumber("FontHeight", c.font_height);
    ReadNumber("FontStyle", c.font_style);
    ReadNumber("FrameZoomed", c.frame_zoomed);
    std::string text;
    if (ReadString("StatusBar", text)) ParseRect(text, c.status_bar);
    ReadNumber("SubScroll", c.sub_scroll);
    if (c.sub_scroll < 1) c.sub_scroll = 1;
    ReadNumber("FrameX", c.frame_x);
    ReadNumber("FrameY", c.frame_y);
    ReadNumber("FrameCX", c.frame_cx);
    ReadNumber("FrameCY", c.frame_cy);
    ReadNumber("EditorFlags", c.editor_flags);
    ReadNumber("OutputWndHeight", c.output_wnd_height);
    if (ReadInt("BackupFile", 0) == 1) {
        c.editor_flags |= kGenerateBackups;
        c.backup_file_pending = true;
    }
    ReadNumber("FontFamily", c.font_family);
    ReadNumber("TextColor", c.text_color);
    ReadNumber("BackgroundColor", c.background_color);
    ReadText("PrinterFontName", c.printer_font_name);
    ReadNumber("PrinterFontSize", c.printer_font_size);
    ReadTextById(kDebuggerArguments, c.debugger_arguments);
    ReadText("DebuggerDir", c.debugger_dir);
    ReadTextById(kDebuggerExeName, c.debugger_exe_name);
    ReadNumber("DebuggerFlags", c.debugger_flags);
    ReadNumber("Print", c.print);
    ReadNumber("IncludeFlags", c.include_flags);
    ReadText("CurrentDir", c.current_dir);
    ReadText("WinHelpDataBase", c.win_help_data_base);
    ReadText("FontName", c.font_name);
    ReadCompilerPaths(c);
    ReadNumber("IndentOptions", c.indent_options);
    ReadNumber("IndentConstants", c.indent_constants);
    ReadNumber("FindFlags", c.find_flags);
    ReadText("CurrentFile", c.current_file);
    if (EqualsNoCase(c.current_file, "untitled")) c.current_file.clear();
}

void ReadProjects(Configuration& c) {
    c.projects = ProjectSectionNames();
    if (!ReadString("CurrentProject", c.current_project) || c.current_project.empty())
        ReadString("CMSProjectPath", c.current_project);
}

bool WriteEditorSettings(const Configuration& c) {
    return WriteString("StatusBar", FormatRect(c.status_bar, ',').c_str()) && WriteInt("Tabsize", c.tab_size) &&
           WriteInt("CommentColor", c.comment_color) && WriteInt("KeywordColor", c.keyword_color) &&
           WriteInt("OutputWndHeight", c.output_wnd_height) && WriteInt("EditorFlags", c.editor_flags) &&
           (!c.backup_file_pending || WriteInt("BackupFile", 0)) && WriteInt("FontHeight", c.font_height) &&
           WriteInt("FontStyle", c.font_style) && WriteInt("FontFamily", c.font_family) &&
           WriteInt("Print", c.print) && WriteInt("FrameZoomed", c.frame_zoomed) &&
           WriteInt("TextColor", c.text_color) && WriteInt("BackgroundColor", c.background_color) &&
           WriteString("PrinterFontName", c.printer_font_name.c_str()) &&
           WriteInt("PrinterFontSize", c.printer_font_size) && WriteInt("SubScroll", c.sub_scroll) &&
           WriteUtilities(c.utilities) && WriteLanguages(c.languages) && WriteMacros(c.macros) &&
           WriteAccelerators(c.accelerators) && WriteProjectList(c.projects) &&
           WriteString("CurrentProject", c.current_project.c_str()) && WriteInt("IncludeFlags", c.include_flags) &&
           WriteStringById(kDebuggerArguments, c.debugger_arguments.c_str()) &&
           WriteString("DebuggerDir", c.debugger_dir.c_str()) &&
           WriteStringById(kDebuggerExeName, c.debugger_exe_name.c_str()) &&
           WriteInt("DebuggerFlags", c.debugger_flags) && WriteString("CurrentDir", c.current_dir.c_str()) &&
           WriteString("WinHelpDataBase", c.win_help_data_base.c_str()) &&
           WriteString("FontName", c.font_name.c_str()) && WriteInt("IndentOptions", c.indent_options) &&
           WriteInt("IndentConstants", c.indent_constants) && WriteInt("FindFlags", c.find_flags) &&
           WriteString("CurrentFile", c.current_file.c_str());
}

bool WriteFramePlacement(const Configuration& c) {
    return WriteInt("FrameX", c.frame_x) && WriteInt("FrameY", c.frame_y) && WriteInt("FrameCX", c.frame_cx) &&
           WriteInt("FrameCY", c.frame_cy) && (!c.current_project.empty() || WriteOpenFiles(c.open_files));
}

bool HasSection(const Configuration& c, const std::string& name) {
    for (const std::string& p : c.projects)
        if (EqualsNoCase(p, name.c_str())) return true;
    return false;
}

}  // namespace

bool LoadConfiguration(Configuration& c) {
    if (!OpenStore("Morla", true)) return false;
    ReadEditorSettings(c);
    ReadAccelerators(c.accelerators);
    ReadLanguages(c.languages);
    ReadMacros(c.macros);
    ReadUtilities(c.utilities);
    ReadProjects(c);
    if (c.current_project.empty()) ReadOpenFiles(c.open_files);
    CloseStore();
    // Only an existing section: opening a missing one would create it.
    if (!c.current_project.empty() && HasSection(c, c.current_project))
        LoadProjectSection(c.current_project.c_str(), c.project);
    return true;
}

bool SaveConfiguration(const Configuration& c) {
    if (!c.save_at_exit) return true;
    if (!OpenStore("Morla", true)) return false;
    bool ok = WriteEditorSettings(c) && WriteFramePlacement(c);
    CloseStore();
    if (ok && !c.projects.empty() && !c.current_project.empty())
        ok = SaveProjectSection(c.current_project.c_str(), c.project);
    return ok;
}
