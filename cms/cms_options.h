#pragma once
// The switches of the stored CMS option values (PutOptions, GetOptions, FileOptions).
enum : int {
    kFileReadOnly = 1,  // FileOptions: archives read-only after each rewrite
    kGetLock = 1,       // GetOptions: the get dialog starts with "lock" checked
    kGetReplace = 32,   // GetOptions: an existing output file is replaced without asking
    kPutKeep = 4,       // PutOptions: the put dialog starts with "keep" checked
    kPutLock = 8,       // PutOptions: the put dialog starts with "lock" checked
};
inline constexpr int kDefaultPutOptions = kPutKeep;
inline constexpr int kDefaultUsersOptions = 1;
