#pragma once
// The CodeView 4 blob of one image: subsection directory, modules, symbols, lines, types.
#include "debugger/dbginfo.h"
#include "debugger/dbginfo_bytes.h"
#include "debugger/dbginfo_pe.h"

// Adds the image's modules after those already in the table (module_base set by the
// caller) and fills the image's global hash and type table. False when the blob has no
// readable subsection directory.
bool ReadCodeView(DebugImage* image, const PeHeaders& pe, ByteRange blob);
