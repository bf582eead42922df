// Look-ups in the modules' generated resource tables.
#include "tarnui/platform/Resources.h"
#include "tarnui/platform/WinUser.h"

#include <cwctype>
#include <mutex>
#include <set>

// Generated from tarnui/platform/gdi/CMakeLists.txt.
tarn::HINSTANCE TarnUIResourceTable();

namespace tarn {

namespace {

inline constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
inline constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
inline constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;

std::mutex& Mutex()
{
    static std::mutex mutex;
    return mutex;
}

std::set<const ResourceModule*>& Modules()
{
    static std::set<const ResourceModule*> modules;
    return modules;
}

// Only registered tables are read, so any other HINSTANCE is refused without touching it.
const ResourceModule* ModuleOf(HINSTANCE instance)
{
    const auto* module = reinterpret_cast<const ResourceModule*>(instance);
    std::lock_guard lock(Mutex());
    return Modules().count(module) ? module : nullptr;
}

bool SameType(const wchar_t* a, const wchar_t* b)
{
    for (; *a && *b; ++a, ++b) {
        if (std::towupper(static_cast<wint_t>(*a)) != std::towupper(static_cast<wint_t>(*b)))
            return false;
    }
    return *a == *b;
}

const ResourceEntry* EntryOf(const ResourceModule* module, HRSRC resource)
{
    const auto* entry = reinterpret_cast<const ResourceEntry*>(resource);
    if (!module || !entry || entry < module->entries || entry >= module->entries + module->count)
        return nullptr;
    return entry;
}

} // namespace

HINSTANCE RegisterResourceModule(const ResourceModule* module)
{
    if (!module)
        return nullptr;
    std::lock_guard lock(Mutex());
    Modules().insert(module);
    return reinterpret_cast<HINSTANCE>(const_cast<ResourceModule*>(module));
}

HINSTANCE TarnUIInstance()
{
    return TarnUIResourceTable();
}

HRSRC FindResourceW(HINSTANCE instance, const wchar_t* name, const wchar_t* type)
{
    const ResourceModule* module = ModuleOf(instance);
    if (!module) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    // Tables are keyed by integer ids; a type may be a name or an integer id.
    if (!name || !IS_INTRESOURCE(name) || !type) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const auto id = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
    bool typeSeen = false;
    for (size_t i = 0; i < module->count; ++i) {
        const ResourceEntry& e = module->entries[i];
        const bool typeMatches = IS_INTRESOURCE(type) ? false : SameType(e.type, type);
        typeSeen = typeSeen || typeMatches;
        if (typeMatches && e.id == id)
            return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(&e));
    }
    SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

HGLOBAL LoadResource(HINSTANCE instance, HRSRC resource)
{
    const ResourceEntry* entry = EntryOf(ModuleOf(instance), resource);
    if (!entry) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return const_cast<unsigned char*>(entry->data);
}

const void* LockResource(HGLOBAL loaded)
{
    return loaded;
}

DWORD SizeofResource(HINSTANCE instance, HRSRC resource)
{
    const ResourceEntry* entry = EntryOf(ModuleOf(instance), resource);
    return entry ? static_cast<DWORD>(entry->size) : 0;
}

} // namespace tarn
