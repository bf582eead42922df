#pragma once

#include "tarnui/platform/gdi/GdiObject.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace tarn {

// The process-wide handle table of GDI objects. Handles are ids, never addresses, so a handle
// used after DeleteObject is simply not found.
class GdiTable {
public:
    static GdiTable& Get();

    HGDIOBJ Add(std::shared_ptr<GdiObject> object);
    std::shared_ptr<GdiObject> Find(HGDIOBJ handle) const;
    bool Remove(HGDIOBJ handle);

    template <typename T>
    std::shared_ptr<T> FindAs(HGDIOBJ handle, GdiKind kind) const
    {
        auto object = Find(handle);
        return object && object->kind == kind ? std::static_pointer_cast<T>(object) : nullptr;
    }

    // The 1 x 1 bitmap every new memory DC starts with, as a stock index of our own.
    static constexpr int kDefaultBitmap = 1000;
    // Stock objects are made once and never deleted.
    HGDIOBJ Stock(int index);

private:
    GdiTable() = default;

    mutable std::mutex m_mutex;
    std::unordered_map<uintptr_t, std::shared_ptr<GdiObject>> m_objects;
    std::unordered_map<int, HGDIOBJ> m_stock;
    uintptr_t m_next = 0x10000;
};

} // namespace tarn
