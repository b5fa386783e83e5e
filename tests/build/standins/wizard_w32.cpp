// A stand-in for the application wizard: "/prjname:N /prjpath:P /out:F" writes P\N.c and
// P\N.h and the result file F ("Project: N", then the two paths), and exits with 1.
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::string name, path, out;
    for (int i = 1; i < argc; ++i) {
        if (!strncmp(argv[i], "/prjname:", 9)) name = argv[i] + 9;
        else if (!strncmp(argv[i], "/prjpath:", 9)) path = argv[i] + 9;
        else if (!strncmp(argv[i], "/out:", 5)) out = argv[i] + 5;
    }
    if (name.empty() || path.empty() || out.empty()) return 0;
    std::string source = path + "\\" + name + ".c", header = path + "\\" + name + ".h";
    FILE* f = fopen(source.c_str(), "w");
    if (!f) return 0;
    fprintf(f, "#include \"%s.h\"\nint main(void) { return 0; }\n", name.c_str());
    fclose(f);
    if ((f = fopen(header.c_str(), "w"))) fclose(f);
    if (!(f = fopen(out.c_str(), "w"))) return 0;
    fprintf(f, "Project: %s\nSource: %s\nHeader: %s\n", name.c_str(), source.c_str(), header.c_str());
    fclose(f);
    return 1;
}
