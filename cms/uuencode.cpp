#include "cms/uuencode.h"

#include <cctype>

#include "cms/text_file.h"

namespace {

char Six(unsigned v) { return v ? char((v & 63) + 32) : '`'; }
unsigned Value(char c) { return unsigned(c - 32) & 63; }

}  // namespace

bool IsBinaryWorkFile(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = char(toupper(static_cast<unsigned char>(c)));
    for (const char* e : {"O", "OBJ", "RES", "ICO", "CUR", "BMP", "GIF", "LZH", "EXE", "COM"})
        if (ext == e) return true;
    return false;
}

std::string UuEncode(const std::string& name, std::string_view bytes) {
    std::string out = "\nbegin 0666 " + name + "\n";
    for (size_t pos = 0; pos < bytes.size(); pos += 45) {
        size_t n = std::min<size_t>(45, bytes.size() - pos);
        out.push_back(Six(unsigned(n)));
        for (size_t i = 0; i < n; i += 3) {
            unsigned b[3] = {0, 0, 0};
            for (size_t k = 0; k < 3 && i + k < n; ++k) b[k] = static_cast<unsigned char>(bytes[pos + i + k]);
            out.push_back(Six(b[0] >> 2));
            out.push_back(Six(((b[0] << 4) | (b[1] >> 4)) & 63));
            out.push_back(Six(((b[1] << 2) | (b[2] >> 6)) & 63));
            out.push_back(Six(b[2] & 63));
        }
        out.push_back('\n');
    }
    out += "`\nend\n";
    return out;
}

bool UuDecode(std::string_view text, std::string& bytes, std::string& message) {
    bytes.clear();
    LineList lines = SplitLines(text);
    size_t i = 0;
    while (i < lines.size() && lines[i].substr(0, 5) != "begin") ++i;
    for (++i; i < lines.size(); ++i) {
        std::string line;
        for (char c : lines[i])
            if (c != '\r' && c != '\n') line.push_back(c);
        if (line.substr(0, 3) == "end" || line.empty() || Value(line[0]) == 0) return true;
        size_t n = Value(line[0]);
        for (size_t k = 1; n > 0; k += 4) {
            unsigned v[4];
            for (size_t q = 0; q < 4; ++q) v[q] = k + q < line.size() ? Value(line[k + q]) : 0;
            char out[3] = {char(v[0] << 2 | v[1] >> 4), char(v[1] << 4 | v[2] >> 2), char(v[2] << 6 | v[3])};
            for (size_t q = 0; q < 3 && n > 0; ++q, --n) bytes.push_back(out[q]);
        }
    }
    message = "Incorrect CMS file: Unexpected EOF";
    return false;
}
