#pragma once
// Reading the parts of one image that the executable and a DLL share.
#include "debugger/dbginfo.h"
#include "debugger/dbginfo_bytes.h"
#include "debugger/dbginfo_pe.h"

// Sets the COFF view; false when the image has no symbol table inside the file.
bool SetCoffView(ImageFacts* facts, const PeHeaders& pe, ByteRange file);
void SetImageFacts(ImageFacts* facts, const PeHeaders& pe);
// Where the debug directory's entries are in the file, and how many there are.
bool LocateDebugDirectory(const PeHeaders& pe, uint32_t* file_offset, uint32_t* count);
// Records the COFF debug data and reads the first CodeView blob (module_base set by caller).
void ReadDebugDirectory(DebugImage* image, const PeHeaders& pe, ByteRange file);
void ReadImports(DebugImage* image, const PeHeaders& pe, ByteRange file);
