#include "tarnui/platform/x11/X11Monitors.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

namespace tarn {

namespace {

bool WorkArea(const X11Connection& conn, RECT& out)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(conn.Dpy(), conn.Root(), conn.Intern("_NET_WORKAREA"), 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data)
            != Success
        || !data)
        return false;
    const bool ok = format == 32 && count >= 4;
    if (ok) {
        const auto* v = reinterpret_cast<const long*>(data);
        out = RECT(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[0] + v[2]), static_cast<int>(v[1] + v[3]));
    }
    XFree(data);
    return ok;
}

} // namespace

std::vector<MonitorDesc> X11Monitors::Query(const X11Connection& conn)
{
    Display* dpy = conn.Dpy();
    std::vector<MonitorDesc> out;
    if (conn.HasRandr()) {
        int n = 0;
        if (XRRMonitorInfo* mons = XRRGetMonitors(dpy, conn.Root(), True, &n)) {
            for (int i = 0; i < n; ++i) {
                const RECT r(mons[i].x, mons[i].y, mons[i].x + mons[i].width, mons[i].y + mons[i].height);
                if (r.IsRectEmpty())
                    continue;
                if (mons[i].primary)
                    out.insert(out.begin(), {r, r});
                else
                    out.push_back({r, r});
            }
            XRRFreeMonitors(mons);
        }
    }
    if (out.empty()) {
        const RECT screen(0, 0, DisplayWidth(dpy, conn.ScreenNumber()), DisplayHeight(dpy, conn.ScreenNumber()));
        out.push_back({screen, screen});
    }
    RECT work;
    if (WorkArea(conn, work)) {
        for (auto& m : out) {
            RECT cut;
            if (cut.IntersectRect(m.rect, work))
                m.work = cut;
        }
    }
    return out;
}

} // namespace tarn
