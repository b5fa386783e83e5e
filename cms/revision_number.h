#pragma once
// Revision numbers: dot-separated decimal fields. Trunk revisions have two fields, a
// branch number an odd count, revisions on a branch the branch number plus one field.
#include <string>
#include <string_view>

int FieldCount(std::string_view number);  // 0 for ""; a trailing period does not count
unsigned long FieldValue(std::string_view number, int field);  // field counts from 1

// Field by field; when the common fields are equal the number with more fields is smaller.
int CompareNumbers(std::string_view a, std::string_view b);
int CompareFirstFields(std::string_view a, std::string_view b, int fields);
int CompareField(std::string_view a, std::string_view b, int field);

std::string IncrementNumber(std::string_view number);  // last field plus one
std::string CutFields(std::string_view number, int fields);

// The current local time as a CMS date, "%d.%d.%d.%d.%d.%d".
std::string CurrentCmsDate();
