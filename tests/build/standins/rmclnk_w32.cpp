// A stand-in for the linker rmclnk: "-o <output>" and object files; fails when one is missing.
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "-o") && i + 1 < argc) {
            out = argv[++i];
        } else if (strstr(argv[i], ".obj") || strstr(argv[i], ".res")) {
            if (FILE* f = fopen(argv[i], "rb")) {
                fclose(f);
            } else {
                fprintf(stderr, "rmclnk: cannot open %s\n", argv[i]);
                return 1;
            }
        }
    }
    FILE* f = out.empty() ? nullptr : fopen(out.c_str(), "wb");
    if (!f) return 1;
    fputs("MZ", f);
    fclose(f);
    return 0;
}
