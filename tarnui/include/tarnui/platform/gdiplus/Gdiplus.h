#pragma once

// The GDI+-shaped drawing API in one include.
#include "tarnui/platform/gdiplus/Bitmap.h"
#include "tarnui/platform/gdiplus/Brush.h"
#include "tarnui/platform/gdiplus/Color.h"
#include "tarnui/platform/gdiplus/Font.h"
#include "tarnui/platform/gdiplus/FontFamily.h"
#include "tarnui/platform/gdiplus/Graphics.h"
#include "tarnui/platform/gdiplus/GraphicsPath.h"
#include "tarnui/platform/gdiplus/Image.h"
#include "tarnui/platform/gdiplus/Pen.h"
#include "tarnui/platform/gdiplus/PrivateFontCollection.h"
#include "tarnui/platform/gdiplus/StringFormat.h"
#include "tarnui/platform/gdiplus/TextureBrush.h"
