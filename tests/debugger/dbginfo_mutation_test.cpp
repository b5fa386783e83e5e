// The reader over truncated and randomly damaged fixtures: it may refuse them, with its
// messages, but never crash, hang or read outside the file (this test also runs under
// AddressSanitizer, with each file in an allocation of exactly its size).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "debugger/dbginfo.h"
#include "tests/debugger/dbginfo_fixture.h"
#include "tests/support/recorded_reports.h"

namespace {

struct ExactCopy {
    std::unique_ptr<uint8_t[]> bytes;
    uint32_t size;
    ExactCopy(const std::vector<uint8_t>& from, size_t size)
        : bytes(new uint8_t[size ? size : 1]), size(uint32_t(size)) {
        std::copy(from.begin(), from.begin() + size, bytes.get());
    }
};

// Everything a debugging run asks of the tables, over whatever was read.
void Exercise(DebugImage* image, MappedImage* memory) {
    FindEntryFunction(image);
    ResolveImportStubs(image, memory->Reader());
    for (int m = 1; m <= image->highest_module; ++m) {
        DebugModule& module = image->modules[m];
        image->current_module = m;
        SymbolByName(*image, "_counter");
        StringConstantByName(*image, "greeting");
        for (DebugFunction* f = module.functions; f; f = f->next) {
            BuildFunctionLines(module, f);
            LineOfAddress(*image, f->start + 3);
            NameOfAddress(*image, f->start);
        }
        FirstLineWithCode(module, 20);
        uint32_t next = 0;
        AddressOfLine(module, 24, 0, &next);
        AddressOfLine(module, 24, next, &next);
        const TypeTable& types = TypesOfModule(*image, m);
        for (uint16_t t = 0x1000; t < 0x1010; ++t) {
            uint32_t size;
            if (const uint8_t* r = TypeRecord(types, t, &size)) {
                volatile uint8_t last = r[size - 1];
                (void)last;
            }
        }
    }
    std::string name;
    uint32_t value;
    CoffSymbolAtOrBelow(&image->facts, 0x401030, &name, &value);
    CoffSymbolAbove(&image->facts, 0x401030, &name, &value);
    CoffAddressByName(image->facts, "_sum_table", &value);
    ModuleBySourceName(*image, "util.c");
    FunctionByName(*image, "add", nullptr);
}

void ReadDamaged(const std::vector<uint8_t>& exe, size_t exe_size, const std::vector<uint8_t>& dll,
                 size_t dll_size, MappedImage* memory) {
    ExactCopy e(exe, exe_size), d(dll, dll_size);
    DebugImage image;
    if (LoadExecutable(&image, e.bytes.get(), e.size, 0x400000, "fixture.exe", false)) {
        LoadDll(&image, d.bytes.get(), d.size, kFixtureDll1Base, "fixdll1.dll", nullptr, nullptr);
        Exercise(&image, memory);
    }
    ReleaseDebugInfo(&image);
}

struct Fixtures {
    FixtureImage exe_fixture = FixtureProgram(), dll_fixture = FixtureDll(1);
    std::vector<uint8_t> exe = WritePeImage(&exe_fixture), dll = WritePeImage(&dll_fixture);
    MappedImage memory{exe_fixture, exe};
};

TEST(DebugInfoMutations, PristineFixturesLoadQuietly) {
    RecordedReports reports;
    Fixtures f;
    ReadDamaged(f.exe, f.exe.size(), f.dll, f.dll.size(), &f.memory);
    EXPECT_TRUE(reports.Quiet());
}

TEST(DebugInfoMutations, TruncatedFilesAreRefusedOrReadSafely) {
    RecordedReports reports;
    Fixtures f;
    // Every header boundary, then steps through the sections and the debug data.
    for (size_t n = 0; n < 0x420; n += 4) ReadDamaged(f.exe, n, f.dll, std::min(n, f.dll.size()), &f.memory);
    for (size_t k = 0; k < 150; ++k) {
        size_t n = f.exe.size() * k / 150, m = f.dll.size() * k / 150;
        ReadDamaged(f.exe, n, f.dll, m, &f.memory);
        ReadDamaged(f.exe, f.exe.size() - 1 - k, f.dll, f.dll.size() - 1 - k, &f.memory);
    }
    EXPECT_FALSE(reports.errors.empty());
}

TEST(DebugInfoMutations, RandomBytesAreRefusedOrReadSafely) {
    RecordedReports reports;
    Fixtures f;
    std::mt19937 random(20261210);
    const char signature[] = "NB09";  // the CodeView blob, then the COFF symbols
    size_t debug_data = std::search(f.exe.begin(), f.exe.end(), signature, signature + 4) - f.exe.begin();
    ASSERT_LT(debug_data, f.exe.size());
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> exe = f.exe, dll = f.dll;
        int changes = 1 + int(random() % 12);
        for (int c = 0; c < changes; ++c) {
            size_t at;
            switch (random() % 3) {
            case 0: at = random() % 0x400; break;                                        // headers
            case 1: at = debug_data + random() % (exe.size() - debug_data); break;       // debug data
            default: at = random() % exe.size();
            }
            uint8_t v = random() % 4 == 0 ? 0xFF : uint8_t(random());
            exe[at] = v;
            dll[at % dll.size()] = v;
        }
        ReadDamaged(exe, exe.size(), dll, dll.size(), &f.memory);
    }
    SUCCEED() << reports.errors.size() << " messages";
}

}  // namespace
