// A stand-in for the resource compiler rrc: writes <base>.res for the last argument.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    std::string source = argv[argc - 1];
    size_t cut = source.find_last_of("\\/");
    std::string name = cut == std::string::npos ? source : source.substr(cut + 1);
    FILE* f = fopen((name.substr(0, name.rfind('.')) + ".res").c_str(), "wb");
    if (!f) return 1;
    fputs("RES", f);
    fclose(f);
    return 0;
}
