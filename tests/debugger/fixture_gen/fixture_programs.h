#pragma once
// The fixtures: a program of two modules that calls into two DLLs and exits with a known
// code, its variants, and a large generated program for the benchmark.
#include "tests/debugger/fixture_gen/fixture_image.h"

inline constexpr int kFixtureExitCode = 48;
inline constexpr uint32_t kFixtureDll1Base = 0x30000000, kFixtureDll2Base = 0x31000000;

// Type indexes of the program's global types.
enum FixtureType : uint16_t {
    kPointFields = 0x1000, kPointType, kPointPointer, kIntArray4, kColourFields, kColourType,
    kAddArgs, kAddProc, kValueFields, kValueUnion,
};

FixtureImage FixtureProgram();  // "fixture.exe"
FixtureImage FixtureDll(int which);  // 1: "fixdll1.dll" (twice), 2: "fixdll2.dll" (triple)
// Variants of the program: no COFF symbols, the debug directory in ".debug", a Fortran entry.
FixtureImage FixtureProgramWithoutSymbols();
FixtureImage FixtureProgramWithDebugSection();
FixtureImage FixtureFortranProgram();
FixtureImage LargeFixtureProgram(int functions, int lines_per_function);
// Every fixture as (file name, image), laid out and written.
std::vector<FixtureImage> AllFixtures();
// The source text of a module, lines joined with CR LF.
std::string SourceText(const FixtureModule& module);
