#pragma once
// The read-only view of an executable or DLL from the file handle of a debug event.
#include <windows.h>

#include <cstdint>

struct ImageView {
    HANDLE mapping = nullptr;
    const uint8_t* view = nullptr;
    uint32_t size = 0;
};

// Maps the whole file read-only; reports and closes the handles on failure.
bool MapImageFile(HANDLE file, ImageView* out);
// Unmaps a view and closes its handles (DebugImage::release_view).
void ReleaseImageView(void* mapping, const uint8_t* view, void* file);
