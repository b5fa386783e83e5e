#include "tests/debugger/fixture_gen/fixture_programs.h"

#include "tests/debugger/fixture_gen/fixture_builder.h"

namespace {

struct TypeWriter {
    std::vector<uint8_t> r;
    TypeWriter& U8(uint8_t v) { r.push_back(v); return *this; }
    TypeWriter& U16(uint16_t v) { return U8(uint8_t(v)).U8(uint8_t(v >> 8)); }
    TypeWriter& Name(const std::string& s) { U8(uint8_t(s.size())); r.insert(r.end(), s.begin(), s.end()); return *this; }
    TypeWriter& Pad() { while (r.size() % 4) U8(uint8_t(0xF0 + (4 - r.size() % 4))); return *this; }
};

// The global types: struct point, int[4], enum colour, int (*)(int, int), union value.
std::vector<std::vector<uint8_t>> ProgramTypes() {
    std::vector<std::vector<uint8_t>> t;
    TypeWriter point_fields;
    point_fields.U16(0x0204);
    point_fields.U16(0x0406).U16(T_INT4).U16(0).U16(0).Name("x").Pad();
    point_fields.U16(0x0406).U16(T_INT4).U16(0).U16(4).Name("y").Pad();
    t.push_back(point_fields.r);
    t.push_back(TypeWriter().U16(0x0005).U16(2).U16(kPointFields).U16(0).U16(0).U16(0).U16(8).Name("point").r);
    t.push_back(TypeWriter().U16(0x0002).U16(0x000A).U16(kPointType).r);
    t.push_back(TypeWriter().U16(0x0003).U16(T_INT4).U16(T_ULONG).U16(16).Name("").r);
    TypeWriter colour_fields;
    colour_fields.U16(0x0204);
    colour_fields.U16(0x0403).U16(0).U16(0).Name("red").Pad();
    colour_fields.U16(0x0403).U16(0).U16(5).Name("green").Pad();
    colour_fields.U16(0x0403).U16(0).U16(6).Name("blue").Pad();
    t.push_back(colour_fields.r);
    t.push_back(TypeWriter().U16(0x0007).U16(3).U16(T_INT4).U16(kColourFields).U16(0).Name("colour").r);
    t.push_back(TypeWriter().U16(0x0201).U16(2).U16(T_INT4).U16(T_INT4).r);
    t.push_back(TypeWriter().U16(0x0008).U16(T_INT4).U8(0).U8(0).U16(2).U16(kAddArgs).r);
    TypeWriter value_fields;
    value_fields.U16(0x0204);
    value_fields.U16(0x0406).U16(T_INT4).U16(0).U16(0).Name("i").Pad();
    value_fields.U16(0x0406).U16(T_CHAR).U16(0).U16(0).Name("c").Pad();
    t.push_back(value_fields.r);
    t.push_back(TypeWriter().U16(0x0006).U16(2).U16(kValueFields).U16(0).U16(4).Name("value").r);
    return t;
}

// Where the program's globals are in .data.
enum DataOffset : uint32_t { kCounter = 0, kTable = 4, kOrigin = 20, kHidden = 28, kShade = 32, kCursor = 36,
                             kMixed = 40, kScratch = 44 };

void Startup(FixtureBuilder& b, const std::string& main_name) {
    b.image->entry = b.Here();
    b.image->labels.push_back({"_mainCRTStartup", b.Here()});
    b.Call(main_name);
    b.Bytes({0x50});  // push eax
    b.Call("_ExitProcess@4");
    b.Bytes({0xCC});
}

void MainModule(FixtureBuilder& b, const std::string& main_name) {
    b.BeginModule("main.c", "main.c");
    b.Source("/* fixture program: calls, loops, locals and globals */");
    b.Source("struct point { int x; int y; };");
    b.Source("enum colour { red, green = 5, blue };");
    b.Source("union value { int i; char c; };");
    b.AddData({"_counter", S_GDATA32, T_INT4}, {0});
    b.Source("int counter = 0;");
    b.AddData({"_table", S_GDATA32, kIntArray4}, {1, 2, 3, 4});
    b.Source("int table[4] = { 1, 2, 3, 4 };");
    b.AddData({"_origin", S_GDATA32, kPointType}, {10, 20});
    b.Source("struct point origin = { 10, 20 };");
    b.AddData({"_hidden", S_LDATA32, T_INT4}, {7});
    b.Source("static int hidden = 7;");
    b.AddData({"_shade", S_GDATA32, kColourType}, {6});
    b.Source("enum colour shade = blue;");
    b.AddData({"_cursor", S_GDATA32, T_32PINT4}, {0});
    b.Source("int *cursor;");
    b.AddData({"_mixed", S_GDATA32, kValueUnion}, {0x41});
    b.Source("union value mixed = { 65 };");
    b.Source("");

    b.Source("int add(int a, int b)");
    b.BeginFunction("_add", S_GPROC32, kAddProc);
    b.Local("a", 8, T_INT4);
    b.Local("b", 12, T_INT4);
    b.Local("sum", -4, T_INT4);
    b.Code("{");
    b.Prologue(4);
    b.Source("    int sum;");
    b.Code("    sum = a + b;");
    b.LoadEbp(EAX, 8);
    b.AddFromEbp(EAX, 12);
    b.StoreEbp(EAX, -4);
    b.Code("    return sum;");
    b.LoadEbp(EAX, -4);
    b.Code("}");
    b.Epilogue();
    b.EndFunction();
    b.Source("");

    b.Source("int sum_table(int *p, int n)");
    b.BeginFunction("_sum_table");
    b.Local("p", 8, T_32PINT4);
    b.Local("n", 12, T_INT4);
    b.Local("i", -4, T_INT4);
    b.Local("total", -8, T_INT4);
    b.Code("{");
    b.Prologue(8);
    b.Source("    int i, total;");
    b.Code("    total = 0;");
    b.StoreImm(-8, 0);
    uint16_t loop = b.Code("    for (i = 0; i < n; i++)");
    b.StoreImm(-4, 0);
    b.Bytes({0xEB, 0});  // jmp to the test
    uint32_t jump = b.Here();
    b.Code("        total += p[i];");
    uint32_t body = b.Here();
    b.LoadEbp(ECX, 8);
    b.LoadEbp(EAX, -4);
    b.Bytes({0x8B, 0x04, 0x81});  // mov eax,[ecx+eax*4]
    b.AddToEbp(EAX, -8);
    b.MarkLine(loop);
    b.Bytes({0xFF, 0x45, 0xFC});  // inc dword [ebp-4]
    b.image->text[jump - 1] = uint8_t(b.Here() - jump);
    b.LoadEbp(EAX, -4);
    b.Bytes({0x3B, 0x45, 12});    // cmp eax,[ebp+12]
    b.Bytes({0x7C, uint8_t(body - (b.Here() + 2))});  // jl body
    b.Code("    return total;");
    b.LoadEbp(EAX, -8);
    b.Code("}");
    b.Epilogue();
    b.EndFunction();
    b.Source("");

    b.Source("int main(void)");
    b.BeginFunction(main_name);
    b.Local("result", -4, T_INT4);
    b.Local("pt", -12, kPointType);
    b.Code("{");
    b.Prologue(12);
    b.Source("    int result;");
    b.Source("    struct point pt;");
    b.Code("    result = add(2, 3);");
    b.PushImm(3);
    b.PushImm(2);
    b.Call("_add");
    b.DropArgs(8);
    b.StoreEbp(EAX, -4);
    b.Code("    result += sum_table(table, 4);");
    b.PushImm(4);
    b.PushData(kTable);
    b.Call("_sum_table");
    b.DropArgs(8);
    b.AddToEbp(EAX, -4);
    b.Code("    pt.x = result;");
    b.LoadEbp(EAX, -4);
    b.StoreEbp(EAX, -12);
    b.Code("    move_point(&origin, result);");
    b.PushEbp(-4);
    b.PushData(kOrigin);
    b.Call("_move_point");
    b.DropArgs(8);
    b.Code("    pt.y = register_sum(hidden);");
    b.LoadEaxData(kHidden);
    b.Bytes({0x50});
    b.Call("_register_sum");
    b.DropArgs(4);
    b.StoreEbp(EAX, -8);
    b.Code("    counter = result + twice(result);");
    b.PushEbp(-4);
    b.Call("_twice");
    b.DropArgs(4);
    b.AddFromEbp(EAX, -4);
    b.StoreEaxData(kCounter);
    b.Code("    counter += triple(1);");
    b.PushImm(1);
    b.Call("_triple");
    b.DropArgs(4);
    b.AddEaxToData(kCounter);
    b.Code("    return counter;");
    b.LoadEaxData(kCounter);
    b.Code("}");
    b.Epilogue();
    b.EndFunction();
    b.EndModule();
}

void UtilModule(FixtureBuilder& b) {
    b.BeginModule("util.c", "util.c");
    b.Source("/* fixture helpers */");
    b.Source("struct point { int x; int y; };");
    b.module->constants.push_back({"greeting", "hello, fixture"});
    b.Source("#define greeting \"hello, fixture\"");
    b.module->late_statics.push_back({"_scratch", S_LDATA32, T_INT4, 2, kScratch});
    b.image->data.resize(kScratch + 4);
    b.Source("static int scratch;");
    b.Source("");
    b.Source("void move_point(struct point *pt, int d)");
    b.BeginFunction("_move_point");
    b.Local("pt", 8, kPointPointer);
    b.Local("d", 12, T_INT4);
    b.Code("{");
    b.Prologue(0);
    b.Code("    pt->x += d;");
    b.LoadEbp(ECX, 8);
    b.LoadEbp(EAX, 12);
    b.Bytes({0x01, 0x01});        // add [ecx],eax
    b.Code("    pt->y += d;");
    b.Bytes({0x01, 0x41, 0x04});  // add [ecx+4],eax
    b.Code("}");
    b.Epilogue();
    b.EndFunction();
    b.Source("");
    b.Source("static int register_sum(int n)");
    b.BeginFunction("_register_sum", S_LPROC32);
    b.Local("n", 8, T_INT4);
    b.RegisterLocal("k", CV_REG_EBX, T_INT4);
    b.Code("{");
    b.Bytes({0x55, 0x89, 0xE5, 0x53});  // push ebp; mov ebp,esp; push ebx
    b.function->debug_start = b.Here() - b.function->start;
    b.Source("    register int k;");
    b.Code("    k = n;");
    b.LoadEbp(EBX, 8);
    b.Code("    return k + 1;");
    b.Bytes({0x8D, 0x43, 0x01});  // lea eax,[ebx+1]
    b.Code("}");
    b.function->debug_end = b.Here() - b.function->start;
    b.Bytes({0x5B, 0x5D, 0xC3});  // pop ebx; pop ebp; ret
    b.EndFunction();
    b.EndModule();
}

FixtureImage Program(const std::string& main_name) {
    FixtureImage image;
    image.file_name = "fixture.exe";
    image.exit_code = kFixtureExitCode;
    image.types = ProgramTypes();
    FixtureBuilder b{&image};
    Startup(b, main_name);
    MainModule(b, main_name);
    UtilModule(b);
    b.ImportStub("kernel32.dll", "ExitProcess", "_ExitProcess@4");
    b.ImportStub("fixdll1.dll", "twice", "_twice");
    b.ImportStub("fixdll2.dll", "triple", "_triple");
    return image;
}

}  // namespace

FixtureImage FixtureProgram() { return Program("_main"); }

FixtureImage FixtureProgramWithoutSymbols() {
    FixtureImage image = Program("_main");
    image.file_name = "nosyms.exe";
    image.coff_symbols = false;
    return image;
}

FixtureImage FixtureProgramWithDebugSection() {
    FixtureImage image = Program("_main");
    image.file_name = "dbgsect.exe";
    image.debug_section = true;
    return image;
}

FixtureImage FixtureFortranProgram() {
    FixtureImage image = Program("_MAIN__");
    image.file_name = "fortran.exe";
    return image;
}

FixtureImage FixtureDll(int which) {
    FixtureImage image;
    image.dll = true;
    image.base = which == 1 ? kFixtureDll1Base : kFixtureDll2Base;
    image.file_name = which == 1 ? "fixdll1.dll" : "fixdll2.dll";
    std::string function = which == 1 ? "twice" : "triple";
    image.types = {TypeWriter().U16(0x0201).U16(1).U16(T_INT4).r,
                   TypeWriter().U16(0x0008).U16(T_INT4).U8(0).U8(0).U16(1).U16(0x1000).r};
    FixtureBuilder b{&image};
    image.entry = b.Here();
    image.labels.push_back({"_DllMain@12", b.Here()});
    b.Bytes({0xB8, 1, 0, 0, 0, 0xC2, 12, 0});  // mov eax,1; ret 12
    std::string source = which == 1 ? "dll1.c" : "dll2.c";
    b.BeginModule(source, source);
    b.Source("/* fixture DLL */");
    b.AddData({"_counter", S_GDATA32, T_INT4}, {100});
    b.Source("int counter = 100;");
    b.Source("int " + function + "(int x)");
    b.BeginFunction("_" + function, S_GPROC32, 0x1001);
    b.Local("x", 8, T_INT4);
    b.Code("{");
    b.Prologue(0);
    b.Code(which == 1 ? "    return x + x;" : "    return x * 3;");
    b.LoadEbp(EAX, 8);
    if (which == 1) b.Bytes({0x01, 0xC0});  // add eax,eax
    else b.Bytes({0x8D, 0x04, 0x40});       // lea eax,[eax+eax*2]
    b.IncData(0);
    b.Code("}");
    b.Epilogue();
    b.EndFunction();
    b.EndModule();
    image.exports.push_back({function, image.modules[0].functions[0].start});
    return image;
}

FixtureImage LargeFixtureProgram(int functions, int lines_per_function) {
    FixtureImage image;
    image.file_name = "large.exe";
    image.types = ProgramTypes();
    FixtureBuilder b{&image};
    Startup(b, "_main");
    const int per_module = 200;
    for (int f = 0; f < functions; ++f) {
        if (f % per_module == 0) {
            if (b.module) b.EndModule();
            std::string name = "gen" + std::to_string(f / per_module) + ".c";
            b.BeginModule(name, name);
        }
        b.BeginFunction(f == 0 ? "_main" : "_f" + std::to_string(f));
        b.Local("v", -4, T_INT4);
        b.Code("{");
        b.Prologue(4);
        for (int l = 2; l < lines_per_function; ++l) {
            b.Code("    v = v;");
            b.LoadEbp(EAX, -4);
        }
        b.Code("}");
        b.Epilogue();
        b.EndFunction();
    }
    b.EndModule();
    b.ImportStub("kernel32.dll", "ExitProcess", "_ExitProcess@4");
    return image;
}

std::vector<FixtureImage> AllFixtures() {
    return {FixtureProgram(), FixtureDll(1), FixtureDll(2), FixtureProgramWithoutSymbols(),
            FixtureProgramWithDebugSection(), FixtureFortranProgram()};
}

std::string SourceText(const FixtureModule& module) {
    std::string text;
    for (const std::string& line : module.source) text += line + "\r\n";
    return text;
}
