#include "debugger/dbginfo_map_w32.h"

#include "shell/report.h"

bool MapImageFile(HANDLE file, ImageView* out) {
    DWORD size = SetFilePointer(file, 0, nullptr, FILE_END);
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) {
        ShowError("Couldn't open file mapping with CreateFileMapping()");
        CloseHandle(file);
        return false;
    }
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (!view) {
        ShowError("Couldn't map view of file with MapViewOfFile()");
        CloseHandle(mapping);
        CloseHandle(file);
        return false;
    }
    out->mapping = mapping;
    out->view = static_cast<const uint8_t*>(view);
    out->size = size == INVALID_SET_FILE_POINTER ? 0 : size;
    return true;
}

void ReleaseImageView(void* mapping, const uint8_t* view, void* file) {
    if (view) UnmapViewOfFile(view);
    if (mapping) CloseHandle(mapping);
    if (file) CloseHandle(file);
}
