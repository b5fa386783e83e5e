// Writes the debugger's fixtures (executables, DLLs and their sources) into a directory.
#include <cstdio>
#include <string>

#include "tests/debugger/fixture_gen/fixture_programs.h"

namespace {

bool WriteFile(const std::string& path, const void* data, size_t size) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(data, 1, size, f) == size;
    return fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_debug_fixtures <directory>\n");
        return 2;
    }
    std::string dir = argv[1];
    for (FixtureImage& image : AllFixtures()) {
        std::vector<uint8_t> bytes = WritePeImage(&image);
        if (!WriteFile(dir + "/" + image.file_name, bytes.data(), bytes.size())) {
            fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), image.file_name.c_str());
            return 1;
        }
        for (const FixtureModule& m : image.modules) {
            std::string text = SourceText(m);
            if (!WriteFile(dir + "/" + m.source_file, text.data(), text.size())) return 1;
        }
    }
    return 0;
}
