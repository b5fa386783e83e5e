#pragma once
// Binary working files are kept in archives as uuencoded text.
#include <string>
#include <string_view>

// "O", "OBJ", "RES", "ICO", "CUR", "BMP", "GIF", "LZH", "EXE", "COM" (any case).
bool IsBinaryWorkFile(const std::string& name);

// The encoding as the archive stores it (line breaks as LF): "begin 0666 name", lines of
// at most 45 bytes, a line of one grave accent and "end".
std::string UuEncode(const std::string& name, std::string_view bytes);

// False with "Incorrect CMS file: Unexpected EOF" when the text ends before the data does.
bool UuDecode(std::string_view text, std::string& bytes, std::string& message);
