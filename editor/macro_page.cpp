#include "editor/macro_page.h"

#include "editor/char_class.h"

bool IsMacroKey(const std::string& key) {
    return key.size() == 1 && IsAsciiLetter(static_cast<unsigned char>(key[0]));
}

std::string MacroTextForField(const std::string& text) {
    std::string field;
    for (char c : text) {
        if (c == '\n') field += '\r';
        field += c;
    }
    return field;
}

std::string MacroTextFromField(const std::string& field) {
    std::string text;
    for (char c : field)
        if (c != '\r') text += c;
    return text;
}

int MacroPositionFromField(const std::string& field, int offset) {
    int position = 0;
    for (int i = 0; i < offset && i < static_cast<int>(field.size()); ++i)
        if (field[static_cast<size_t>(i)] != '\r') ++position;
    return position;
}

int FieldOffsetOfPosition(const std::string& text, int position) {
    int offset = 0;
    for (int i = 0; i < position && i < static_cast<int>(text.size()); ++i)
        offset += text[static_cast<size_t>(i)] == '\n' ? 2 : 1;
    return offset;
}
