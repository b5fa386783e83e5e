#include "editor/line_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tests/editor/temp_dir.h"

namespace {

struct ReadResult {
    std::vector<std::string> lines;
    int cut = 0;
};

ReadResult ReadAll(const std::string& path) {
    ReadResult r;
    LineReader reader;
    EXPECT_TRUE(OpenLineReader(&reader, path.c_str()));
    const char* text;
    int length;
    while (ReadLine(&reader, &text, &length)) r.lines.emplace_back(text, static_cast<size_t>(length));
    EXPECT_FALSE(reader.failed);
    r.cut = reader.cut_lines;
    CloseLineReader(&reader);
    return r;
}

std::string Chars(char c, size_t n) { return std::string(n, c); }

struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
    int cut;
};

TEST(LineReader, LineEndsAndCuts) {
    TempDir dir;
    const std::string a496 = Chars('a', 496), a497 = Chars('a', 497);
    const std::vector<Case> cases = {
        {"empty file", "", {}, 0},
        {"only line ends", "\r\n\n\r\r\n", {"", "", ""}, 0},
        {"mixed ends", "one\r\ntwo\nthree\r\r\nfour", {"one", "two", "three", "four"}, 0},
        {"no final end", "last", {"last"}, 0},
        {"CR before end of file", "last\r", {"last"}, 0},
        {"lone CR is text", "a\rb\n", {"a\rb"}, 0},
        {"third CR is text", "a\r\r\r\n", {"a\r"}, 0},
        {"NUL bytes", std::string("a\0b\n\0\n", 6), {std::string("a\0b", 3), std::string(1, '\0')}, 0},
        {"496", a496 + "\r\n", {a496}, 0},
        {"497 fits", a497 + "\r\n", {a497}, 0},
        {"497 at end of file", a497, {a497}, 0},
        {"498 is cut", a497 + "b\r\n", {a497, "b"}, 1},
        {"498 at end of file is cut", a497 + "b\r", {a497, "b"}, 1},
        {"600 is cut once", Chars('c', 600) + "\n", {Chars('c', 497), Chars('c', 103)}, 1},
        {"1000 is cut twice", Chars('d', 1000) + "\n", {Chars('d', 497), Chars('d', 497), Chars('d', 6)}, 2},
        {"long line with CRs inside", Chars('e', 300) + "\r" + Chars('e', 300) + "\r\n",
         {Chars('e', 300) + "\r" + Chars('e', 196), Chars('e', 104)}, 1},
    };
    for (const Case& c : cases) {
        std::string path = dir.Write("case.txt", c.bytes);
        ReadResult r = ReadAll(path);
        EXPECT_EQ(r.lines, c.lines) << c.what;
        EXPECT_EQ(r.cut, c.cut) << c.what;
    }
}

// A CR CR LF end is found whichever of its bytes falls on the first byte after the block.
TEST(LineReader, LineEndsAtTheBlockBoundary) {
    TempDir dir;
    std::string lines;
    while (lines.size() + 400 < kTransferBufferSize) lines += Chars('y', 299) + "\n";
    for (size_t lf : {kTransferBufferSize - 1, kTransferBufferSize, kTransferBufferSize + 1, kTransferBufferSize + 2}) {
        std::string tail = Chars('z', lf - 2 - lines.size());
        std::string path = dir.Write("boundary.txt", lines + tail + "\r\r\nnext\r\n");
        ReadResult r = ReadAll(path);
        ASSERT_GE(r.lines.size(), 2u);
        EXPECT_EQ(r.lines[r.lines.size() - 2], tail) << lf;
        EXPECT_EQ(r.lines.back(), "next") << lf;
        EXPECT_EQ(r.cut, 0);
    }
}

// The rules of the reader written plainly, one byte at a time, for whole files in memory.
ReadResult ReferenceLines(const std::string& bytes) {
    ReadResult r;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        size_t end = lf == std::string::npos ? bytes.size() : lf;
        size_t n = end - start;
        for (int i = 0; i < 2 && n > 0 && bytes[start + n - 1] == '\r'; ++i) --n;
        if (n > static_cast<size_t>(kMaxLineLength)) {
            r.lines.push_back(bytes.substr(start, kMaxLineLength));
            ++r.cut;
            start += kMaxLineLength;
            continue;
        }
        r.lines.push_back(bytes.substr(start, n));
        start = end + 1;
    }
    return r;
}

// Lines of every length up to well past the cut, with CRs, NULs and runs of bare line ends,
// over several blocks: read one at a time and many at a time, both as the plain rules say.
TEST(LineReader, AgreesWithThePlainRulesOnMixedText) {
    TempDir dir;
    std::mt19937 random(11);
    std::string bytes;
    const char* ends[] = {"\n", "\r\n", "\r\r\n", "\r\r\r\n", ""};
    while (bytes.size() < 3 * kTransferBufferSize + 777) {
        size_t length = random() % 4 == 0 ? random() % 1500 : random() % 70;
        for (size_t i = 0; i < length; ++i) bytes += "ab\rc\0d efg"[random() % 12];
        bytes += ends[random() % 5];
    }
    // Short last blocks that end without a line end: what lies behind them in the buffer,
    // line ends included, is left over from the block before.
    for (const std::string& file : {bytes.substr(0, bytes.size() - 17) + "tail",
                                    std::string(kTransferBufferSize + 10, '\n') + "tail"}) {
        ReadResult one = ReadAll(dir.Write("short-end.txt", file));
        ReadResult expected = ReferenceLines(file);
        EXPECT_EQ(one.lines, expected.lines);
        EXPECT_EQ(one.cut, expected.cut);
    }
    std::string path = dir.Write("mixed.txt", bytes);
    ReadResult expected = ReferenceLines(bytes);

    LineReader reader;
    ASSERT_TRUE(OpenLineReader(&reader, path.c_str()));
    ReadResult many;
    const LineSpan* spans;
    int n;
    while ((n = ReadLines(&reader, &spans)) > 0)
        for (int i = 0; i < n; ++i) many.lines.emplace_back(spans[i].text, static_cast<size_t>(spans[i].length));
    many.cut = reader.cut_lines;
    CloseLineReader(&reader);
    EXPECT_EQ(many.lines, expected.lines);
    EXPECT_EQ(many.cut, expected.cut);
}

// A caller that stops early (out of memory, a stopped search) closes a reader whose
// thread may be waiting to fill a block, or filling one.
TEST(LineReader, ClosingEarlyStopsReadingAhead) {
    TempDir dir;
    std::string line = Chars('q', 60) + "\r\n";
    std::string bytes;
    while (bytes.size() < 5 * kTransferBufferSize) bytes += line;
    std::string path = dir.Write("large.txt", bytes);
    for (int taken : {0, 1, 3000, 7000}) {
        LineReader reader;
        ASSERT_TRUE(OpenLineReader(&reader, path.c_str()));
        const char* text;
        int length;
        for (int i = 0; i < taken; ++i) ASSERT_TRUE(ReadLine(&reader, &text, &length));
        CloseLineReader(&reader);
        EXPECT_EQ(reader.file, nullptr);
    }
}

TEST(LineReader, MissingFileDoesNotOpen) {
    TempDir dir;
    LineReader reader;
    EXPECT_FALSE(OpenLineReader(&reader, (dir.path + "/none.txt").c_str()));
    CloseLineReader(&reader);
}

}  // namespace
