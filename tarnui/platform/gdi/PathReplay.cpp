#include "tarnui/platform/gdi/PathReplay.h"

#include "tarnui/platform/gdi/FontSystem.h"
#include "tarnui/platform/gdi/StringPlacement.h"

#include <cmath>
#include <numbers>

namespace tarn {

void AppendArc(cairo_t* cr, double x, double y, double w, double h, double start, double sweep)
{
    if (!(w > 0) || !(h > 0))
        return;
    const double a0 = start * std::numbers::pi / 180.0;
    const double a1 = (start + sweep) * std::numbers::pi / 180.0;
    // Scaling the unit circle gives the ellipse; GDI+ and Cairo angles agree with y down.
    cairo_save(cr);
    cairo_translate(cr, x + w / 2, y + h / 2);
    cairo_scale(cr, w / 2, h / 2);
    if (sweep >= 0)
        cairo_arc(cr, 0, 0, 1, a0, a1);
    else
        cairo_arc_negative(cr, 0, 0, 1, a0, a1);
    cairo_restore(cr);
}

void AppendPath(cairo_t* cr, const gp::GraphicsPath& path)
{
    using Kind = gp::GraphicsPath::Item::Kind;
    bool open = false;
    for (const auto& item : path.Items()) {
        const float* v = item.v;
        switch (item.kind) {
        case Kind::Line:
            if (open)
                cairo_line_to(cr, v[0], v[1]);
            else
                cairo_move_to(cr, v[0], v[1]);
            cairo_line_to(cr, v[2], v[3]);
            open = true;
            break;
        case Kind::Arc:
            if (!open)
                cairo_new_sub_path(cr);
            AppendArc(cr, v[0], v[1], v[2], v[3], v[4], v[5]);
            open = true;
            break;
        case Kind::Ellipse:
            cairo_new_sub_path(cr);
            AppendArc(cr, v[0], v[1], v[2], v[3], 0, 360);
            cairo_close_path(cr);
            open = false;
            break;
        case Kind::Rectangle:
            cairo_rectangle(cr, v[0], v[1], v[2], v[3]);
            open = false;
            break;
        case Kind::Text: {
            auto lock = FontSystem::Get().Lock();
            PlacedString placed = PlaceString(item.text, item.family, item.style, v[4],
                                              gp::RectF(v[0], v[1], v[2], v[3]), item.format, true);
            placed.layout->AppendPath(cr, placed.x, placed.y);
            open = false;
            break;
        }
        case Kind::Close:
            if (open)
                cairo_close_path(cr);
            open = false;
            break;
        case Kind::Start:
            open = false;
            break;
        }
    }
}

gp::RectF PathBounds(const gp::GraphicsPath& path)
{
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    AppendPath(cr, path);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return gp::RectF(static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1 - x0),
                     static_cast<float>(y1 - y0));
}

} // namespace tarn
