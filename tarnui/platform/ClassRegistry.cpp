#include "ClassRegistry.h"

#include "tarnui/platform/WinConst.h"

#include <algorithm>
#include <cwctype>

namespace tarn {

namespace {

bool SameName(const std::wstring& a, const wchar_t* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i] != 0; ++i) {
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == 0;
}

} // namespace

std::shared_ptr<WindowClass> ClassRegistry::FindExact(const wchar_t* name, HINSTANCE instance, bool system) const
{
    for (const auto& c : m_classes) {
        if (c->system == system && (system || c->wc.hInstance == instance) && SameName(c->name, name))
            return c;
    }
    return nullptr;
}

ATOM ClassRegistry::Register(const WNDCLASSEXW& wc, bool system, DWORD& error)
{
    if (wc.lpszClassName == nullptr || IS_INTRESOURCE(wc.lpszClassName) || wc.lpszClassName[0] == 0
        || wc.lpfnWndProc == nullptr || wc.cbWndExtra < 0 || wc.cbClsExtra < 0) {
        error = ERROR_INVALID_PARAMETER;
        return 0;
    }
    if (FindExact(wc.lpszClassName, wc.hInstance, system)) {
        error = ERROR_CLASS_ALREADY_EXISTS;
        return 0;
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc.lpszClassName;
    cls->wc = wc;
    cls->wc.lpszClassName = cls->name.c_str();
    cls->wc.lpszMenuName = nullptr;
    cls->system = system;
    cls->atom = m_nextAtom++;
    m_classes.push_back(cls);
    return cls->atom;
}

std::shared_ptr<WindowClass> ClassRegistry::Find(const wchar_t* name, HINSTANCE instance) const
{
    if (name == nullptr || IS_INTRESOURCE(name)) {
        const auto atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
        for (const auto& c : m_classes) {
            if (atom != 0 && c->atom == atom)
                return c;
        }
        return nullptr;
    }
    if (auto c = FindExact(name, instance, false))
        return c;
    if (auto c = FindExact(name, nullptr, true))
        return c;
    for (const auto& c : m_classes) {
        if (!c->system && (c->wc.style & CS_GLOBALCLASS) && SameName(c->name, name))
            return c;
    }
    return nullptr;
}

bool ClassRegistry::Unregister(const wchar_t* name, HINSTANCE instance, DWORD& error)
{
    auto c = (name && !IS_INTRESOURCE(name)) ? FindExact(name, instance, false) : Find(name, instance);
    if (!c || c->system) {
        error = ERROR_CLASS_DOES_NOT_EXIST;
        return false;
    }
    if (c->windows > 0) {
        error = ERROR_CLASS_HAS_WINDOWS;
        return false;
    }
    m_classes.erase(std::find(m_classes.begin(), m_classes.end(), c));
    return true;
}

void ClassRegistry::ClearUserClasses()
{
    std::erase_if(m_classes, [](const auto& c) { return !c->system; });
}

} // namespace tarn
