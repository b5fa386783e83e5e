#include "build/makefile.h"

#include <cstring>
#include <fstream>

#include "build/build_state.h"
#include "editor/safe_file.h"
#include "project/file_processors.h"
#include "project/file_system.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

// Items of a list; empty items are skipped so no bare "-I" or "-D" is written.
template <typename Visit>
void ForEachInclude(const std::string& includes, Visit visit) {
    size_t start = 0;
    while (start <= includes.size()) {
        size_t end = includes.find(';', start);
        if (end == std::string::npos) end = includes.size();
        if (end > start) visit(includes.substr(start, end - start));
        start = end + 1;
    }
}

// A definition ends at the next ';'; when the rest holds none, at the next ','; else at a blank.
template <typename Visit>
void ForEachDefine(const std::string& defines, Visit visit) {
    size_t start = 0;
    while (start < defines.size()) {
        size_t end = defines.find(';', start);
        if (end == std::string::npos) end = defines.find(',', start);
        if (end == std::string::npos) end = defines.find(' ', start);
        if (end == std::string::npos) end = defines.size();
        if (end > start) visit(defines.substr(start, end - start));
        start = end + 1;
    }
}

std::string Extension(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : LowerText(name.substr(dot + 1));
}

std::string WithExtension(const std::string& name, const char* ext) {
    size_t dot = name.rfind('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + ext;
}

std::string DependencyVariable(const std::string& file) {
    std::string v = UpperText(PathLastPart(file));
    for (char& c : v)
        if (c == '.') c = '_';
    return v;
}

bool HasBackslash(const std::string& s) { return s.find('\\') != std::string::npos; }

// One generation: the dependency scans and their failures.
struct Generation {
    Project& p;
    const std::string& root;
    const MakefileHost& host;
    std::string sources_dir;
    int failures = 0;
    std::string text;

    void Add(const std::string& s) { text += s; }

    // Runs the compiler's dependency scan and, while no scan of this generation failed,
    // copies its result as continuation lines.
    void ScanDependencies(const std::string& file) {
        std::string source = HasBackslash(file) ? file : PathJoin(p.sources_dir, file);
        std::string command = FormatText("%s\\bin\\rmc.exe -M -Fo%s ", root.c_str(), kDependencyTempFile);
        // A path with blanks is quoted, so that the driver sees one name.
        command += IncludeOptions(p) + " " + (source.find(' ') == std::string::npos ? source : "\"" + source + "\"");
        if (!(host.file_exists ? host.file_exists(source) : FsIsFile(source))) return;
        FsDeleteFile(kDependencyTempFile);  // a result left from an earlier scan must not be copied
        int code = host.run_and_wait(command);
        if (code != 0) {
            if (failures++ == 0)
                ShowError(FormatText("Impossible to execute\n%s\nto find out the dependencies.\nError code %d",
                                     command.c_str(), host.last_error ? host.last_error() : code));
            return;
        }
        if (!failures) {
            std::ifstream in(kDependencyTempFile, std::ios::binary);
            std::string line;
            while (std::getline(in, line)) {
                while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
                if (line.size() > 400) line.resize(400);
                Add("\t" + line + "\\\n");
            }
        }
        FsDeleteFile(kDependencyTempFile);
    }

    std::string SourcePath(const std::string& file) const {
        return LowerText(HasBackslash(file) ? file : PathJoin(sources_dir, file));
    }
};

}  // namespace

std::string IncludeOptions(const Project& p) {
    std::string out;
    ForEachInclude(p.includes, [&](const std::string& dir) { out += "-I" + dir + " "; });
    return out;
}

std::string CompilerOptions(const Project& p) {
    std::string out = IncludeOptions(p);
    ForEachDefine(p.defines, [&](const std::string& d) { out += "-D" + d + " "; });
    uint32_t f = p.compiler_flags;
    if (f & kOptimize) out += " -O ";
    if (f & kBrowseInfo) out += " -x ";
    if (f & kStackTraceLines) out += " -g4 ";
    else if (f & kStackTrace) out += " -g3 ";
    else if (f & kDebugInfo) out += " -g2 ";
    static const struct {
        uint32_t bit;
        const char* option;
    } rest[] = {{kAsmListing, " -S "}, {kAllWarnings, " -A "},       {kAlign1, " -Zp1 "}, {kAlign2, " -Zp2 "},
                {kAlign4, " -Zp4 "},   {kAlign8, " -Zp8 "},          {kAlign16, " -Zp16 "},
                {kIntermediateFile, " -z "}, {kPentiumPro, " -p6"}};
    for (const auto& r : rest)
        if (f & r.bit) out += r.option;
    return out;
}

std::string FortranOptions(int flags) {
    static const char letters[] = "uURracgC";
    std::string out;
    for (int i = 0; i < 8; ++i)
        if (flags & (1 << i)) out += std::string(" -") + letters[i];
    return out;
}

std::string LinkOptions(const Project& p, bool has_resources) {
    std::string out;
    if (p.compiler_flags & kNoDebugInfoLink) out += " -s";
    if (IsDll(p)) {
        out += " -dll";
        if (!p.entry_point.empty() && p.entry_point != "LibMain") out += " -entry " + p.entry_point;
    } else if (p.compiler_flags & kConsoleApp) {
        out += " -subsystem console";
    } else {
        if (!has_resources) ShowError("Windows program but no resources defined?");
        out += " -subsystem windows";
    }
    if ((p.compiler_flags & kMapFile) && p.exe.find('.') != std::string::npos)
        out += " -map " + p.exe.substr(0, p.exe.rfind('.')) + ".map";
    if (!p.linker_args.empty()) out += " " + p.linker_args;
    return out;
}

void AddFortranLibrary(Project& p, const std::string& compiler_root) {
    if (p.libraries.empty()) {
        p.libraries = "libf77.lib";
        return;
    }
    std::string libs = LowerText(p.libraries), prefix = LowerText(PathJoin(compiler_root, "lib\\"));
    std::string name = "libf77.lib";
    if (name.rfind(prefix, 0) == 0) name = name.substr(prefix.size());
    if (libs.find(name) == std::string::npos) p.libraries += " " + name;
}

bool MakefileText(Project& p, const std::string& root, const MakefileHost& host, std::string& text) {
    Generation g{p, root, host, LowerText(p.sources_dir), 0, {}};
    bool fortran = false;
    for (const std::string& f : p.files)
        if (Extension(PathLastPart(f)) == "f" && PathLastPart(f).find('.') != std::string::npos) fortran = true;

    g.Add(FormatText("# Morla Makefile for project %s\n", p.name.c_str()));
    g.Add("CFLAGS=" + CompilerOptions(p) + "\n");
    g.Add(FormatText("CC=%s\\bin\\rmc.exe\n", root.c_str()));
    g.Add("OBJS=\\\n");

    bool have_resource = false, compiled_resource = false;
    std::string resource_file;
    for (size_t i = 0; i < p.files.size(); ++i) {
        const std::string& file = p.files[i];
        std::string name = LowerText(PathLastPart(file)), ext = Extension(name), entry;
        if (name.find('.') != std::string::npos) {
            if (ext == "c" || ext == "asm" || ext == "f") {
                entry = WithExtension(name, ".obj");
            } else if (ext == "rc" || ext == "res") {
                std::string candidate = ext == "rc" ? WithExtension(name, ".res")
                                                    : (HasBackslash(file) ? name : LowerText(PathJoin(g.sources_dir, file)));
                if (have_resource) {
                    ShowError(FormatText("You have already defined resources for this project.\n%s will be ignored",
                                         candidate.c_str()));
                } else {
                    have_resource = true;
                    resource_file = file;
                    compiled_resource = ext == "res";
                    entry = candidate;
                }
            } else if (ext == "obj") {
                entry = name;
            } else if (ext != "def" && ext != "h" && !FindFileProcessor(p, file)) {
                Inform(FormatText("I do not know how to handle %s\nPlease define how it should be handled in the makefile",
                                  file.c_str()));
                if (!host.ask_file_processor || !host.ask_file_processor(p, file)) {
                    ShowError("Cannot generate the makefile");
                    return false;
                }
            }
        }
        if (!entry.empty()) g.Add("\t" + entry + (i + 1 < p.files.size() ? " \\\n" : "\n"));
    }
    if (fortran) {
        AddFortranLibrary(p, root);
        g.Add("\nFFLAGS=" + FortranOptions(p.fortran_flags) + "\n");
    }
    g.Add("\nLIBS=" + p.libraries + "\n");

    const char* type_ext = TargetExtension(p);
    if (p.exe.empty()) {
        std::string base = PathLastPart(p.name);
        p.exe = base.find('.') == std::string::npos ? base + type_ext : base;
    } else if (p.exe.find('.') == std::string::npos) {
        p.exe += type_ext;
    }
    // The library's extension goes on before the target line, so that target and
    // librarian output agree and the up-to-date test can answer.
    if (IsLibrary(p)) p.exe = WithExtension(p.exe, ".lib");
    g.Add(FormatText("\n%s:\t$(OBJS) Makefile\n", p.exe.c_str()));
    if (IsLibrary(p))
        g.Add(FormatText("\t%s\\bin\\rmclib /OUT:%s $(OBJS)\n", root.c_str(), p.exe.c_str()));
    else
        g.Add(FormatText("\t%s\\bin\\rmclnk %s -o %s $(OBJS) $(LIBS)\n", root.c_str(),
                         LinkOptions(p, have_resource).c_str(), p.exe.c_str()));

    for (const std::string& file : p.files) {
        std::string last = PathLastPart(file);
        if (last.find('.') == std::string::npos) continue;
        if (host.progress) host.progress(file.c_str());
        if (const FileProcessorSetting* fp = FindFileProcessor(p, file)) {
            g.Add(FormatText("%s:\t%s\n\t%s\n", LowerText(fp->output).c_str(), LowerText(fp->input).c_str(),
                             LowerText(fp->command).c_str()));
            continue;
        }
        std::string ext = Extension(last);
        if (ext == "h" || ext == "obj" || ext == "res" || ext == "def") continue;
        std::string variable = DependencyVariable(file), source = g.SourcePath(file);
        if (ext == "rc") {
            if (compiled_resource || file != resource_file) continue;  // ignored with its warning
            std::string target = LowerText(PathLastPart(WithExtension(file, ".res")));
            g.Add(FormatText("\n# Build %s\n", target.c_str()));
            g.Add(variable + "=\\\n");
            g.ScanDependencies(file);
            g.Add("\n");
            g.Add(target + ":\t$(" + variable + ") " + source + "\n");
            g.Add("\trrc -I" + g.sources_dir + " " + IncludeOptions(p) + " " + source + "\n");
            continue;
        }
        bool has_variable = ext != "asm" && ext != "f";
        if (has_variable) {
            g.Add(FormatText("\n# Build %s\n", last.c_str()));
            g.Add(variable + "=\\\n");
            g.ScanDependencies(file);
        }
        g.Add("\n");
        std::string object = LowerText(WithExtension(last, ".obj"));
        g.Add(has_variable ? object + ": $(" + variable + ") " + source + "\n" : object + ": " + source + "\n");
        g.Add(ext == "f" ? "\t$(F2C) $(FFLAGS) " + source + "\n" : "\t$(CC) -c $(CFLAGS) " + source + "\n");
    }
    g.Add("\n");
    text = g.text;
    return true;
}

bool GenerateMakefile(Project& p, const ProjectEnvironment& env, const MakefileHost& host) {
    if (p.name.empty()) {
        ShowError("No project defined");
        return false;
    }
    CheckProjectPaths(p, env);
    if (!BeginGenerating()) {
        ShowError("Makefile is being generated. Wait till that finishes.");
        return false;
    }
    struct EndOnExit {
        ~EndOnExit() { EndGenerating(); }
    } end_on_exit;
    if (!p.has_make && !DefaultMakeDefinition(p, env)) return false;
    if (p.make.make_dir.empty() && !EnsureMakeDirectory(p, env)) return false;
    if (!FsIsDirectory(p.make.make_dir)) {
        if (!Ask(FormatText("Directory %s does not exist. Create it?", p.make.make_dir.c_str())) ||
            !FsMakeDirectory(p.make.make_dir)) {
            ShowError(FormatText("Creation of %s impossible", p.make.make_dir.c_str()));
            return false;
        }
    }
    std::string path = PathJoin(p.make.make_dir, "Makefile"), old;
    std::string text;
    if (!MakefileText(p, env.compiler_root, host, text)) return false;
    if (FsReadFile(path, old) && old.compare(0, 16, "# Morla Makefile") != 0) {
        std::string backup = PathJoin(p.make.make_dir, "Makefile.old");
        FsDeleteFile(backup);
        if (std::rename(path.c_str(), backup.c_str()) != 0) {
            ShowError(FormatText("Impossible to open\n%s\nfor writing", path.c_str()));
            return false;
        }
        ShowError(FormatText("%s\\Makefile renamed to %s\\Makefile.old", p.make.make_dir.c_str(), p.make.make_dir.c_str()));
    }
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    SafeFile f;
    if (!OpenSafeFile(&f, path.c_str())) return false;
    if (!WriteSafeFile(&f, crlf.data(), crlf.size())) {
        AbandonSafeFile(&f);
        return false;
    }
    return CommitSafeFile(&f);
}
