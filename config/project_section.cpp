#include "config/config_lists.h"
#include "config/configuration.h"
#include "config/numbered_list.h"
#include "config/store.h"
#include "config/value_formats.h"
#include "shell/report.h"

namespace {

enum : uint16_t { kName = 283, kDebuggerArguments = 4522 };

void ReadRect(const char* name, ConfigRect& rect) {
    std::string text;
    if (ReadString(name, text)) ParseRect(text, rect);
}

bool ParseReportedFileProcessor(const std::string& text, FileProcessorSetting& processor) {
    if (ParseFileProcessor(text, processor)) return true;
    ShowError("Incorrect format in key 'FileProcessor' stored in registry");
    return false;
}

bool WriteSectionValues(const ProjectSection& s) {
    bool ok = WriteString("Frame", FormatRect(s.frame, ' ').c_str()) &&
              WriteString("StatusBar", FormatRect(s.status_bar, ',').c_str()) &&
              WriteStringById(kName, s.name.c_str()) && WriteString("CurrentFile", s.current_file.c_str()) &&
              WriteOpenFiles(s.open_files) && WriteString("ProjectPath", s.project_path.c_str()) &&
              WriteString("SourcesDir", s.sources_dir.c_str()) && WriteString("Defines", s.defines.c_str()) &&
              WriteString("Includes", s.includes.c_str()) && WriteString("Libraries", s.libraries.c_str()) &&
              WriteString("LinkerArgs", s.linker_args.c_str()) && WriteInt("CompilerFlags", s.compiler_flags) &&
              WriteInt("ProjectFlags", s.project_flags) && WriteInt("FortranFlags", s.fortran_flags) &&
              WriteInt("EiffelFlags", s.eiffel_flags) && WriteString("ErrorFile", s.error_file.c_str());
    if (ok && s.has_make)
        ok = WriteString("MakeName", s.make_name.c_str()) && WriteString("MakeArgs", s.make_args.c_str()) &&
             WriteString("MakeDir", s.make_dir.c_str()) && WriteString("Exe", s.exe.c_str());
    ok = ok && WriteStringById(kDebuggerArguments, s.debugger_arguments.c_str()) &&
         WriteString("DbgExeName", s.dbg_exe_name.c_str()) &&
         WriteString("DbgDir", (s.dbg_dir.empty() ? s.make_dir : s.dbg_dir).c_str()) &&
         WriteNumberedList("NumberOfBreakpoints", "BreakPoint%d", FormatBreakpoint, s.breakpoints) &&
         WriteNumberedList("NrOfFileProcessors", "FileProcessor%d", FormatFileProcessor, s.file_processors);
    return ok;
}

}  // namespace

bool LoadProjectSection(const char* name, ProjectSection& s) {
    if (!OpenStore(name, false)) return false;
    s = ProjectSection{};
    ReadRect("Frame", s.frame);
    ReadRect("StatusBar", s.status_bar);
    ReadStringById(kName, s.name);
    ReadString("CurrentFile", s.current_file);
    ReadOpenFiles(s.open_files);
    ReadString("ProjectPath", s.project_path);
    ReadString("SourcesDir", s.sources_dir);
    ReadString("Defines", s.defines);
    ReadString("Includes", s.includes);
    ReadString("Libraries", s.libraries);
    ReadString("LinkerArgs", s.linker_args);
    s.compiler_flags = ReadInt("CompilerFlags", 8);
    s.project_flags = ReadInt("ProjectFlags", 8);
    s.fortran_flags = ReadInt("FortranFlags", 0);
    s.eiffel_flags = ReadInt("EiffelFlags", 0);
    ReadString("ErrorFile", s.error_file);
    s.has_make = ReadString("MakeName", s.make_name) && !s.make_name.empty();
    ReadString("MakeArgs", s.make_args);
    ReadString("MakeDir", s.make_dir);
    ReadString("Exe", s.exe);
    ReadStringById(kDebuggerArguments, s.debugger_arguments);
    ReadString("DbgExeName", s.dbg_exe_name);
    ReadString("DbgDir", s.dbg_dir);
    ReadNumberedList("NumberOfBreakpoints", "BreakPoint%d", ParseBreakpoint, s.breakpoints);
    ReadNumberedList("NrOfFileProcessors", "FileProcessor%d", ParseReportedFileProcessor, s.file_processors);
    CloseStore();
    return true;
}

bool SaveProjectSection(const char* name, const ProjectSection& section) {
    if (!OpenStore(name, false)) return false;
    bool ok = WriteSectionValues(section);
    CloseStore();
    return ok;
}
