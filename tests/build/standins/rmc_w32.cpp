// A stand-in for the compiler driver rmc.exe. "-M -Fo<file> ... source" writes the paths
// of the source's #include "..." files, one per line. "-c ... source" writes the object
// into the current directory; a line "#error TEXT" or "#warning TEXT" in the source is
// reported on standard error as "Error <file>: <line>  TEXT" or as
// "<file>(<line>) : warning W1: TEXT", and "#cpp TEXT" as "CPP <file>: <line> TEXT".
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string Directory(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string Base(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return name.substr(0, name.rfind('.'));
}

}  // namespace

int main(int argc, char** argv) {
    bool scan = false, compile = false;
    std::string out, source;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "-M")) scan = true;
        else if (!strcmp(argv[i], "-c")) compile = true;
        else if (!strncmp(argv[i], "-Fo", 3)) out = argv[i] + 3;
        else if (argv[i][0] != '-') source = argv[i];
    }
    FILE* in = fopen(source.c_str(), "r");
    if (!in) {
        fprintf(stderr, "rmc: cannot open %s\n", source.c_str());
        return 1;
    }
    FILE* deps = scan ? fopen(out.c_str(), "w") : nullptr;
    if (scan && !deps) return 1;
    char line[1024];
    int number = 0, errors = 0;
    while (fgets(line, sizeof line, in)) {
        ++number;
        line[strcspn(line, "\r\n")] = 0;
        if (scan && !strncmp(line, "#include \"", 10)) {
            std::string name(line + 10);
            name = name.substr(0, name.find('"'));
            fprintf(deps, "%s%s\n", Directory(source).c_str(), name.c_str());
        } else if (compile && !strncmp(line, "#error ", 7)) {
            fprintf(stderr, "Error %s: %d  %s\n", source.c_str(), number, line + 7);
            ++errors;
        } else if (compile && !strncmp(line, "#warning ", 9)) {
            fprintf(stderr, "%s(%d) : warning W1: %s\n", source.c_str(), number, line + 9);
        } else if (compile && !strncmp(line, "#cpp ", 5)) {
            fprintf(stderr, "CPP %s: %d %s\n", source.c_str(), number, line + 5);
            ++errors;
        }
    }
    fclose(in);
    if (deps) fclose(deps);
    if (compile && !errors) {
        FILE* obj = fopen((Base(source) + ".obj").c_str(), "wb");
        if (!obj) return 1;
        fputs("OBJ", obj);
        fclose(obj);
    }
    return errors ? 1 : 0;
}
