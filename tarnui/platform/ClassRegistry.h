#pragma once

#include "tarnui/platform/WindowClass.h"

#include <memory>
#include <vector>

namespace tarn {

// Window classes by name (compared without case, as class atoms are) and instance. System
// classes answer for every instance.
class ClassRegistry {
public:
    // 0 and the error code when the name is missing or already registered for the instance.
    ATOM Register(const WNDCLASSEXW& wc, bool system, DWORD& error);
    std::shared_ptr<WindowClass> Find(const wchar_t* name, HINSTANCE instance) const;
    bool Unregister(const wchar_t* name, HINSTANCE instance, DWORD& error);
    // Forgets every class that is not a system class.
    void ClearUserClasses();

private:
    std::shared_ptr<WindowClass> FindExact(const wchar_t* name, HINSTANCE instance, bool system) const;

    std::vector<std::shared_ptr<WindowClass>> m_classes;
    ATOM m_nextAtom = 0xC000;
};

} // namespace tarn
