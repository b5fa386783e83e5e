#include "cms/revision_number.h"

#include <cstdio>
#include <ctime>

int FieldCount(std::string_view number) {
    if (number.empty()) return 0;
    int n = 1;
    for (size_t i = 0; i < number.size(); ++i)
        if (number[i] == '.' && i + 1 < number.size()) ++n;
    return n;
}

unsigned long FieldValue(std::string_view number, int field) {
    size_t pos = 0;
    for (int f = 1; f < field; ++f) {
        pos = number.find('.', pos);
        if (pos == std::string_view::npos) return 0;
        ++pos;
    }
    unsigned long v = 0;
    while (pos < number.size() && number[pos] >= '0' && number[pos] <= '9') v = v * 10 + unsigned(number[pos++] - '0');
    return v;
}

int CompareFirstFields(std::string_view a, std::string_view b, int fields) {
    int na = FieldCount(a), nb = FieldCount(b);
    for (int f = 1; f <= fields; ++f) {
        if (f > na || f > nb) {
            if (na == nb || (f > na && f > nb)) return 0;
            return f > na ? 1 : -1;  // more fields is smaller
        }
        unsigned long va = FieldValue(a, f), vb = FieldValue(b, f);
        if (va != vb) return va < vb ? -1 : 1;
    }
    return 0;
}

int CompareNumbers(std::string_view a, std::string_view b) {
    int na = FieldCount(a), nb = FieldCount(b);
    return CompareFirstFields(a, b, na > nb ? na : nb);
}

int CompareField(std::string_view a, std::string_view b, int field) {
    unsigned long va = FieldValue(a, field), vb = FieldValue(b, field);
    return va == vb ? 0 : va < vb ? -1 : 1;
}

std::string IncrementNumber(std::string_view number) {
    int n = FieldCount(number);
    std::string head = n > 1 ? CutFields(number, n - 1) + "." : std::string();
    return head + std::to_string(FieldValue(number, n) + 1);
}

std::string CutFields(std::string_view number, int fields) {
    size_t pos = 0;
    for (int f = 0; f < fields; ++f) {
        pos = number.find('.', pos);
        if (pos == std::string_view::npos) return std::string(number);
        if (f + 1 < fields) ++pos;
    }
    return std::string(number.substr(0, pos));
}

std::string CurrentCmsDate() {
    time_t now = time(nullptr);
    struct tm t = *localtime(&now);
    char text[64];
    snprintf(text, sizeof text, "%d.%d.%d.%d.%d.%d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
             t.tm_sec);
    return text;
}
