#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinTypes.h"

#include <cstddef>

// Resources embedded in a module by the build (cmake/EmbedResources.cmake): a module's HINSTANCE
// names its table, and resources are found by type (any case) and integer id.
namespace tarn {

struct HRSRC__;
using HRSRC = HRSRC__*;
using HGLOBAL = void*;

struct ResourceEntry {
    const wchar_t* type;
    UINT id;
    const unsigned char* data;
    size_t size;
};

struct ResourceModule {
    const ResourceEntry* entries;
    size_t count;
};

// Called once by a generated table; answers the module's HINSTANCE.
TARN_API HINSTANCE RegisterResourceModule(const ResourceModule* module);
// The library's own resources: "PNG" 101 and 102 (horizontal and vertical scroll-bar
// pictures) and "ttf" 106 (Open Sans Semibold).
TARN_API HINSTANCE TarnUIInstance();

// Null (with GetLastError set) for a module that is not a registered table, a string name, or
// a missing resource.
TARN_API HRSRC FindResourceW(HINSTANCE module, const wchar_t* name, const wchar_t* type);
TARN_API HGLOBAL LoadResource(HINSTANCE module, HRSRC resource);
TARN_API const void* LockResource(HGLOBAL loaded);
TARN_API DWORD SizeofResource(HINSTANCE module, HRSRC resource);

} // namespace tarn
