#pragma once
// Writing a file so that a failure never leaves a half-written file in its place: the
// bytes go to a temporary file beside the target, which replaces the target only once
// it is complete and flushed. Reports failures itself (ids 1154 and 1155).
//
//     SafeFile f;
//     if (!OpenSafeFile(&f, name)) return false;
//     ok = WriteSafeFile(&f, bytes, n) && ...;
//     return ok ? CommitSafeFile(&f, backup) : (AbandonSafeFile(&f), false);
#include <cstddef>
#include <cstdio>
#include <string>

struct SafeFile {
    std::FILE* file = nullptr;
    std::string target, temporary;
};

bool OpenSafeFile(SafeFile* f, const char* target);
bool WriteSafeFile(SafeFile* f, const char* bytes, size_t n);
// Flushes and closes the temporary file and puts it in place of the target. When
// `backup` is not empty, an existing target is first renamed to it (an older backup is
// deleted). On failure the target is as it was.
bool CommitSafeFile(SafeFile* f, const std::string& backup = std::string());
// Closes and deletes the temporary file; the target stays as it was.
void AbandonSafeFile(SafeFile* f);
