#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "debugger/dbginfo.h"
#include "tests/debugger/dbginfo_fixture.h"
#include "tests/support/recorded_reports.h"

namespace {

struct LoadedProgram {
    FixtureImage expected;
    std::vector<uint8_t> file;
    DebugImage image;

    explicit LoadedProgram(FixtureImage fixture) : expected(std::move(fixture)) {
        std::vector<uint8_t> written = WritePeImage(&expected);
        file = ReadFixtureFile(expected.file_name);
        EXPECT_EQ(file, written) << "the build-time fixture differs from the generator's";
    }
    bool Load(bool attached = false) {
        return LoadExecutable(&image, file.data(), uint32_t(file.size()), expected.base,
                              expected.file_name.c_str(), attached);
    }
    ~LoadedProgram() { ReleaseDebugInfo(&image); }
};

void ExpectModulesAsGenerated(const DebugImage& image, const FixtureImage& fixture, int first) {
    for (size_t i = 0; i < fixture.modules.size(); ++i) {
        const FixtureModule& want = fixture.modules[i];
        const DebugModule& got = image.modules[first + i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(got.index, int(first + i));
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.source_file, want.source_file);
        EXPECT_EQ(got.code_start, fixture.CodeAddress(want.code_start));
        EXPECT_EQ(got.code_end, fixture.CodeAddress(want.code_end));
        ASSERT_EQ(got.line_numbers.size(), want.lines.size());
        for (size_t k = 0; k < want.lines.size(); ++k) {
            EXPECT_EQ(got.line_addresses[k], fixture.CodeAddress(want.lines[k].offset));
            EXPECT_EQ(got.line_numbers[k], want.lines[k].line);
        }
        ASSERT_EQ(got.function_count, want.functions.size());
        const DebugFunction* f = got.functions;
        for (const FixtureFunction& wf : want.functions) {
            ASSERT_NE(f, nullptr);
            EXPECT_EQ(f->name, wf.name);
            EXPECT_EQ(f->kind, wf.kind);
            EXPECT_EQ(f->start, fixture.CodeAddress(wf.start));
            EXPECT_EQ(f->debug_start, f->start + wf.debug_start);
            EXPECT_EQ(f->debug_end, f->start + wf.debug_end);
            EXPECT_EQ(f->end, fixture.CodeAddress(wf.end));
            ASSERT_EQ(f->locals.size(), wf.locals.size()) << wf.name;
            for (size_t l = 0; l < wf.locals.size(); ++l) {
                EXPECT_EQ(f->locals[l].name, wf.locals[l].name);
                EXPECT_EQ(f->locals[l].value, uint32_t(wf.locals[l].value));
                EXPECT_EQ(f->locals[l].type, wf.locals[l].type);
                EXPECT_EQ(f->locals[l].flags, wf.locals[l].in_register ? kLocalInRegister : 0);
            }
            f = f->next;
        }
        EXPECT_EQ(f, nullptr);
    }
}

TEST(DebugInfo, ProgramReadsBackAsGenerated) {
    RecordedReports reports;
    LoadedProgram p(FixtureProgram());
    ASSERT_TRUE(p.Load());
    EXPECT_TRUE(reports.Quiet());
    EXPECT_TRUE(p.image.facts.has_codeview);
    EXPECT_EQ(p.image.highest_module, 2);
    ASSERT_EQ(p.image.modules.size(), 4u);
    ExpectModulesAsGenerated(p.image, p.expected, 1);
    EXPECT_EQ(p.image.facts.code_start, 0x401000u);
    EXPECT_EQ(p.image.facts.entry_address, 0x401000u);
    EXPECT_EQ(p.image.facts.data_start, 0x400000u + p.expected.data_rva);
}

// Addresses worked out by hand from the instruction lengths: the start-up code takes 12
// bytes, add's prologue 6, its first statement 9, its return 3.
TEST(DebugInfo, AddressesNameTheirLineAndFunction) {
    RecordedReports reports;
    LoadedProgram p(FixtureProgram());
    ASSERT_TRUE(p.Load());
    struct Case {
        uint32_t address;
        uint16_t line;
        const char* function;
    } cases[] = {
        {0x40100C, 14, "_add"},        {0x401012, 16, "_add"}, {0x401015, 16, "_add"},
        {0x40101B, 17, "_add"},        {0x40101E, 18, "_add"}, {0x401021, 18, "_add"},
        {0x401022, 21, "_sum_table"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(LineOfAddress(p.image, c.address), c.line);
        int m = ModuleByAddress(p.image, c.address);
        ASSERT_EQ(m, 1);
        const DebugFunction* f = FunctionByAddress(p.image.modules[m], c.address);
        ASSERT_NE(f, nullptr);
        EXPECT_STREQ(f->name.c_str(), c.function);
        EXPECT_STREQ(NameOfAddress(p.image, c.address), c.function);
    }
    // The start-up code and the import stubs have no CodeView function.
    EXPECT_EQ(ModuleByAddress(p.image, 0x401000), 0);
    EXPECT_EQ(LineOfAddress(p.image, 0x401000), 0);
    std::string name;
    uint32_t value;
    ASSERT_TRUE(CoffSymbolAtOrBelow(&p.image.facts, 0x401005, &name, &value));
    EXPECT_EQ(name, "_mainCRTStartup");
    EXPECT_EQ(value, 0x401000u);
    ASSERT_TRUE(CoffSymbolAbove(&p.image.facts, 0x401005, &name, &value));
    EXPECT_EQ(name, "_add");
    EXPECT_EQ(value, 0x40100Cu);
    uint32_t address;
    ASSERT_TRUE(CoffAddressByName(p.image.facts, "_sum_table", &address));
    EXPECT_EQ(address, 0x401022u);
    EXPECT_FALSE(CoffAddressByName(p.image.facts, "_nothing", &address));
}

TEST(DebugInfo, LinesAndAddressesRoundTrip) {
    RecordedReports reports;
    LoadedProgram p(FixtureProgram());
    ASSERT_TRUE(p.Load());
    for (int m = 1; m <= p.image.highest_module; ++m) {
        const DebugModule& module = p.image.modules[m];
        for (size_t k = 0; k < module.line_numbers.size(); ++k) {
            uint16_t line = module.line_numbers[k];
            EXPECT_EQ(LineOfAddress(p.image, module.line_addresses[k]), line);
            EXPECT_EQ(FirstLineWithCode(module, line), line);
            uint32_t next = 0, a = AddressOfLine(module, line, 0, &next);
            EXPECT_EQ(LineOfAddress(p.image, a), line) << module.name << " line " << line;
        }
    }
    // sum_table's loop line has code in two places: before the body and after it.
    const DebugModule& main = p.image.modules[1];
    uint32_t next = 0;
    uint32_t first = AddressOfLine(main, 24, 0, &next);
    uint32_t second = AddressOfLine(main, 24, next, &next);
    EXPECT_LT(first, second);
    EXPECT_EQ(LineOfAddress(p.image, second), 24);
    EXPECT_EQ(AddressOfLine(main, 24, next, &next), 0u);  // never an entry of a later line
    EXPECT_EQ(AddressOfLine(main, 22, 0, nullptr), AddressOfLine(main, 23, 0, nullptr));  // a declaration moves on
    EXPECT_EQ(FirstLineWithCode(main, 15), 16);  // a declaration moves to the statement after it
    EXPECT_EQ(FirstLineWithCode(main, 42), 0);
    // A function's line slice covers exactly its own entries.
    int module = 0;
    DebugFunction* f = FunctionByName(p.image, "sum_table", &module);
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(BuildFunctionLines(p.image.modules[module], f));
    EXPECT_EQ(f->line_count, 7);
    EXPECT_EQ(main.line_numbers[f->first_line], 21);
    EXPECT_EQ(main.line_addresses[f->first_line], f->start);
}

TEST(DebugInfo, SymbolsConstantsTypesAndImports) {
    RecordedReports reports;
    LoadedProgram p(FixtureProgram());
    ASSERT_TRUE(p.Load());
    const uint32_t data = 0x400000 + p.expected.data_rva;
    struct Global {
        const char* name;
        uint16_t kind, type;
        uint32_t address;
    } globals[] = {
        {"_counter", S_GDATA32, T_INT4, data},           {"_table", S_GDATA32, kIntArray4, data + 4},
        {"_origin", S_GDATA32, kPointType, data + 20},   {"_shade", S_GDATA32, kColourType, data + 32},
        {"_cursor", S_GDATA32, T_32PINT4, data + 36},    {"_mixed", S_GDATA32, kValueUnion, data + 40},
    };
    for (const Global& g : globals) {
        const DebugSymbol* s = SymbolByName(p.image, g.name);
        ASSERT_NE(s, nullptr) << g.name;
        EXPECT_EQ(s->kind, g.kind);
        EXPECT_EQ(s->type, g.type);
        EXPECT_EQ(s->address, g.address);
        EXPECT_EQ(s->function, nullptr);
    }
    const DebugSymbol* add = SymbolByName(p.image, "_add");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->kind, S_GPROC32);
    EXPECT_EQ(add->type, S_GPROC32);
    ASSERT_NE(add->function, nullptr);
    EXPECT_EQ(add->function->start, 0x40100Cu);

    // Module statics: main.c's own, and util.c's from the global symbols after its align-symbols.
    EXPECT_EQ(SymbolByName(p.image, "_hidden"), nullptr);
    p.image.current_module = 1;
    ASSERT_NE(SymbolByName(p.image, "_hidden"), nullptr);
    EXPECT_EQ(SymbolByName(p.image, "_hidden")->address, data + 28);
    EXPECT_EQ(SymbolByName(p.image, "_scratch"), nullptr);
    EXPECT_EQ(StringConstantByName(p.image, "greeting"), nullptr);
    p.image.current_module = 2;
    ASSERT_NE(SymbolByName(p.image, "_scratch"), nullptr);
    EXPECT_EQ(SymbolByName(p.image, "_scratch")->address, data + 44);
    const DebugSymbol* greeting = StringConstantByName(p.image, "greeting");
    ASSERT_NE(greeting, nullptr);
    EXPECT_EQ(greeting->kind, kStringConstantKind);
    EXPECT_EQ(greeting->text, "hello, fixture");

    // Every type record as generated, and none past the table.
    const TypeTable& types = TypesOfModule(p.image, 1);
    ASSERT_EQ(types.count, p.expected.types.size());
    for (size_t i = 0; i < p.expected.types.size(); ++i) {
        uint32_t size = 0;
        const uint8_t* r = TypeRecord(types, uint16_t(0x1000 + i), &size);
        ASSERT_NE(r, nullptr);
        ASSERT_EQ(size, p.expected.types[i].size() + 2);
        EXPECT_EQ(0, memcmp(r + 2, p.expected.types[i].data(), size - 2));
    }
    uint32_t size;
    EXPECT_EQ(TypeRecord(types, uint16_t(0x1000 + types.count), &size), nullptr);
    EXPECT_EQ(TypeRecord(types, T_INT4, &size), nullptr);

    // Imports: the IAT slots first, the bound functions after resolution.
    ASSERT_EQ(p.image.imports.size(), 3u);
    MappedImage mapped(p.expected, p.file);
    ASSERT_TRUE(ResolveImportStubs(&p.image, mapped.Reader()));
    for (size_t i = 0; i < 3; ++i) {
        const ImportStub& s = p.image.imports[i];
        EXPECT_EQ(s.dll, p.expected.imports[i].dll);
        EXPECT_EQ(s.function, p.expected.imports[i].function);
        EXPECT_EQ(s.stub, p.expected.CodeAddress(p.expected.imports[i].stub));
        EXPECT_EQ(s.target, 0x7B000000u + 0x100 * i);
        EXPECT_STREQ(ImportNameByStub(p.image, s.stub), s.function.c_str());
        EXPECT_STREQ(ImportNameByTarget(p.image, s.target), s.function.c_str());
        EXPECT_STREQ(NameOfAddress(p.image, s.stub), s.function.c_str());
    }
    EXPECT_TRUE(reports.Quiet());
}

TEST(DebugInfo, EntryFunctionAndNamesAcrossModules) {
    RecordedReports reports;
    for (FixtureImage fixture : {FixtureProgram(), FixtureFortranProgram()}) {
        LoadedProgram p(fixture);
        ASSERT_TRUE(p.Load());
        EXPECT_EQ(FindEntryFunction(&p.image), 1) << fixture.file_name;
        EXPECT_EQ(p.image.current_module, 1);
    }
    LoadedProgram p(FixtureProgram());
    ASSERT_TRUE(p.Load());
    int module = 0;
    ASSERT_NE(FunctionByName(p.image, "register_sum", &module), nullptr);
    EXPECT_EQ(module, 2);
    EXPECT_EQ(FunctionByName(p.image, "_register_sum", &module), nullptr);
    EXPECT_EQ(ModuleBySourceName(p.image, "C:\\work\\UTIL.C"), 2);
    EXPECT_EQ(ModuleBySourceName(p.image, "main.h"), 1);
    EXPECT_EQ(ModuleBySourceName(p.image, "other.c"), 0);
    EXPECT_TRUE(reports.Quiet());
}

TEST(DebugInfo, DebugSectionDirectoryCountsEntries) {
    RecordedReports reports;
    LoadedProgram p(FixtureProgramWithDebugSection());
    ASSERT_TRUE(p.Load());
    EXPECT_TRUE(p.image.facts.has_codeview);
    ExpectModulesAsGenerated(p.image, p.expected, 1);
}

TEST(DebugInfo, MissingSymbolTableOrBadHeaderIsReported) {
    struct Case {
        bool attached;
        const char* message;
    } cases[] = {{false, "No debugging information in nosyms.exe"},
                 {true, "Impossible to attach\nNo debug information in executable"}};
    for (const Case& c : cases) {
        RecordedReports reports;
        LoadedProgram p(FixtureProgramWithoutSymbols());
        EXPECT_FALSE(p.Load(c.attached));
        ASSERT_EQ(reports.errors.size(), 1u);
        EXPECT_EQ(reports.errors[0], c.message);
    }
    for (uint32_t lfanew : {0x7FFFFFF0u, 0xFFFFFFFFu, 0x100u}) {
        RecordedReports reports;
        LoadedProgram p(FixtureProgram());
        memcpy(p.file.data() + 0x3C, &lfanew, 4);
        EXPECT_FALSE(p.Load());
        ASSERT_EQ(reports.errors.size(), 1u);
        EXPECT_EQ(reports.errors[0], "Unrecognized file format");
    }
}

uint32_t U32At(const std::vector<uint8_t>& f, size_t at) {
    uint32_t v;
    memcpy(&v, f.data() + at, 4);
    return v;
}

TEST(DebugInfo, BadModuleIndexAndStringTableAreReported) {
    RecordedReports reports;
    LoadedProgram p(FixtureProgram());
    // Point main.c's source-module entry at module 0.
    size_t blob = std::search(p.file.begin(), p.file.end(), std::begin("NB09"), std::end("NB09") - 1) - p.file.begin();
    size_t dir = blob + U32At(p.file, blob + 4), entries = dir + 16;
    int patched = 0;
    for (uint32_t i = 0; i < U32At(p.file, dir + 4); ++i) {
        uint8_t* e = p.file.data() + entries + 12 * i;
        if (e[0] == 0x27 && e[1] == 0x01 && e[2] == 1) {
            e[2] = 0;
            ++patched;
        }
    }
    ASSERT_EQ(patched, 1);
    ASSERT_TRUE(p.Load());
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "Incorrect module index 0");
    EXPECT_TRUE(p.image.modules[1].line_numbers.empty());
    EXPECT_EQ(p.image.modules[1].name, "main.c");
    EXPECT_EQ(p.image.modules[2].line_numbers.size(), 8u);
    // A string table longer than the file.
    uint32_t pe = U32At(p.file, 0x3C);
    size_t strings = U32At(p.file, pe + 12) + 18 * size_t(U32At(p.file, pe + 16));
    uint32_t huge = 0x7FFFFFFF;
    memcpy(p.file.data() + strings, &huge, 4);
    EXPECT_FALSE(ResolveImportStubs(&p.image, {}));
    ASSERT_EQ(reports.errors.size(), 2u);
    EXPECT_EQ(reports.errors[1], "Incorrect length of string table");
}

struct ReleaseCount {
    static inline int views = 0;
    static void Release(void*, const uint8_t* view, void*) {
        if (view) ++views;
    }
};

TEST(DebugInfo, DllsContinueTheNumberingAndAreReleased) {
    RecordedReports reports;
    LoadedProgram p(FixtureProgram());
    p.image.release_view = ReleaseCount::Release;
    ASSERT_TRUE(p.Load());
    FixtureImage dll1 = FixtureDll(1), dll2 = FixtureDll(2);
    WritePeImage(&dll1);
    WritePeImage(&dll2);
    std::vector<uint8_t> f1 = ReadFixtureFile("fixdll1.dll"), f2 = ReadFixtureFile("fixdll2.dll");
    ASSERT_TRUE(LoadDll(&p.image, f1.data(), uint32_t(f1.size()), dll1.base, "C:\\fix\\fixdll1.dll", nullptr, nullptr));
    ASSERT_TRUE(LoadDll(&p.image, f2.data(), uint32_t(f2.size()), dll2.base, "fixdll2.dll", nullptr, nullptr));
    EXPECT_TRUE(reports.Quiet());
    EXPECT_EQ(p.image.highest_module, 4);
    ExpectModulesAsGenerated(p.image, dll1, 3);
    ExpectModulesAsGenerated(p.image, dll2, 4);
    // The executable's state is back in place.
    EXPECT_EQ(p.image.facts.image_base, 0x400000u);
    EXPECT_EQ(p.image.facts.view, p.file.data());

    LoadedDll* second = p.image.dlls;
    ASSERT_NE(second, nullptr);
    LoadedDll* first = second->next;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->system_name, "C:\\fix\\fixdll1.dll");
    EXPECT_EQ(first->image_name, "fixdll1.dll");
    EXPECT_EQ(second->image_name, "fixdll2.dll");
    EXPECT_EQ(first->debug_entries, 2u);
    EXPECT_EQ(first->entry_address, kFixtureDll1Base + 0x1000);
    EXPECT_EQ(first->modules_added, 1u);
    EXPECT_EQ(first->first_module, 3);
    EXPECT_EQ(p.image.modules[3].dll, first);
    EXPECT_EQ(p.image.modules[3].in_dll, 1u);
    EXPECT_EQ(p.image.modules[1].dll, nullptr);
    EXPECT_EQ(ModuleByAddress(p.image, kFixtureDll2Base + 0x1000 + dll2.modules[0].functions[0].start), 4);
    EXPECT_EQ(&TypesOfModule(p.image, 3), &first->facts.types);
    EXPECT_EQ(&TypesOfModule(p.image, 1), &p.image.facts.types);

    // "_counter" lives in the program and in each DLL: the current module decides.
    const uint32_t exe_counter = 0x400000 + p.expected.data_rva;
    p.image.current_module = 1;
    EXPECT_EQ(SymbolByName(p.image, "_counter")->address, exe_counter);
    p.image.current_module = 3;
    EXPECT_EQ(SymbolByName(p.image, "_counter")->address, kFixtureDll1Base + dll1.data_rva);
    EXPECT_EQ(SymbolByName(p.image, "_add"), nullptr);  // a DLL's module sees only its DLL
    p.image.current_module = 4;
    EXPECT_EQ(SymbolByName(p.image, "_counter")->address, kFixtureDll2Base + dll2.data_rva);
    p.image.current_module = 0;
    ASSERT_NE(SymbolByName(p.image, "_triple"), nullptr);  // found in the DLLs after the program

    ReleaseCount::views = 0;
    ReleaseDebugInfo(&p.image);
    EXPECT_EQ(ReleaseCount::views, 3);
    EXPECT_EQ(p.image.dlls, nullptr);
    EXPECT_EQ(p.image.highest_module, -1);
    EXPECT_TRUE(p.image.modules.empty());
    EXPECT_EQ(p.image.facts.globals, nullptr);
}

}  // namespace
