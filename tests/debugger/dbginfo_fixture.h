#pragma once
// Fixture images for the reader's tests: read from the build tree or written in memory,
// and a debuggee memory that serves an image as the loader would have mapped it.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "debugger/dbginfo.h"
#include "tests/debugger/fixture_gen/fixture_programs.h"

std::vector<uint8_t> ReadFixtureFile(const std::string& name);

// An image mapped at its base, with the IAT slots bound to made-up function addresses.
struct MappedImage {
    uint32_t base = 0;
    std::vector<uint8_t> memory;
    std::map<uint32_t, uint32_t> bound;  // slot address -> function address

    MappedImage(const FixtureImage& image, const std::vector<uint8_t>& file);
    DebuggeeMemory Reader();
};
