#pragma once

#include "tarnui/platform/gdiplus/GraphicsPath.h"

#include <cairo.h>

namespace tarn {

// Appends a GraphicsPath's figures to a Cairo context's path (taking FontSystem::Lock() for
// strings), and the tight bounds of a path.
void AppendPath(cairo_t* cr, const gp::GraphicsPath& path);
gp::RectF PathBounds(const gp::GraphicsPath& path);
// An elliptical arc in the box, as GDI+ angles give it; joins the current point with a line.
void AppendArc(cairo_t* cr, double x, double y, double w, double h, double start, double sweep);

} // namespace tarn
