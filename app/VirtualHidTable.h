#pragma once

namespace corvane {

// The key table that the virtual input device acts on, rebuilt from the store.
class VirtualHidTable {
public:
    virtual ~VirtualHidTable() = default;
    virtual void RefreshKeyTable() = 0;
};

} // namespace corvane
