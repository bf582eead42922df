#pragma once

#include "tarnui/platform/Backend.h"
#include "tarnui/platform/x11/X11Connection.h"
#include "tarnui/platform/x11/X11Surface.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace tarn {

// Top-level windows as X windows on the 32-bit visual, X events as the core's input. Windows
// owned and flagged as tool windows, and no-activate windows, are override-redirect popups:
// placed exactly, never decorated or moved by the WM; an activatable popup grabs the pointer
// so a press outside every window of ours deactivates it.
class X11Backend final : public Backend {
public:
    explicit X11Backend(X11Connection& conn);
    ~X11Backend() override;

    std::vector<MonitorDesc> Monitors() const override;
    void WindowCreated(HWND hwnd, DWORD style, DWORD exStyle) override;
    void WindowDestroyed(HWND hwnd) override;
    void GeometryChanged(HWND hwnd, const RECT& screen) override;
    void VisibilityChanged(HWND hwnd, bool visible) override;
    void TitleChanged(HWND hwnd, std::wstring_view title) override;
    void CursorChanged(HCURSOR cursor) override;
    void StyleChanged(HWND hwnd, DWORD style, DWORD exStyle) override;
    void IconChanged(HWND hwnd, HICON small, HICON big) override;
    bool BeginSystemMove(HWND hwnd) override;
    PixelBuffer Backing(HWND hwnd) override;
    void Present(HWND hwnd, const RECT& area) override;
    int EventFd() const override;
    void ReadEvents() override;
    bool Idle(std::optional<uint64_t> dueMs) override;

    X11Connection& Connection() const { return m_conn; }
    XWindow NativeOf(HWND hwnd) const;
    HWND HandleOf(XWindow window) const;
    // Client messages our windows accept from other processes. The handler runs on the UI
    // thread with no lock held; true when it took the message.
    using ClientHandler = std::function<bool(const XClientMessageEvent&)>;
    void AddClientHandler(ClientHandler handler);
    // Events for windows the backend does not own (tray icons, selection windows).
    using ForeignHandler = std::function<bool(XEvent&)>;
    int AddForeignHandler(ForeignHandler handler);
    void RemoveForeignHandler(int id);

private:
    struct Entry {
        XWindow window = 0;
        std::unique_ptr<X11Surface> surface;
        RECT rect;             // where X has the window, to tell our moves from the WM's
        DWORD exStyle = 0;
        bool popup = false;
        bool mapped = false;
        bool grabbing = false;
    };

    void Dispatch(XEvent& e);
    void OnConfigure(const XConfigureEvent& e);
    void OnClient(const XClientMessageEvent& e);
    void OnExpose(const XExposeEvent& e);
    void OnMapped(XWindow w);
    void OnFocusLost();
    void FocusTo(XWindow w);
    void ApplyHints(HWND hwnd, Entry& entry);
    void WriteIcons(HWND hwnd, const Entry& entry, HICON small, HICON big);
    void Ungrab(Entry& entry);
    Entry* Find(HWND hwnd);
    const Entry* Find(HWND hwnd) const;
    bool WmRunning() const;

    X11Connection& m_conn;
    std::map<HWND, Entry> m_entries;
    std::map<XWindow, HWND> m_byWindow;
    mutable std::optional<std::vector<MonitorDesc>> m_monitors;
    std::map<uintptr_t, Cursor> m_cursors;
    Cursor m_current = 0;
    std::vector<ClientHandler> m_clientHandlers;
    std::map<int, ForeignHandler> m_foreignHandlers;
    int m_lastHandler = 0;
    unsigned long m_focusSerial = 0;
    int m_randrEvent = -1;
};

} // namespace tarn
