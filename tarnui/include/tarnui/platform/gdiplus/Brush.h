#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/gdiplus/Color.h"

#include <memory>

namespace tarn::gp {

enum class BrushType { Solid, Texture };

class TARN_API Brush {
public:
    virtual ~Brush() = default;
    BrushType GetType() const { return m_type; }

protected:
    explicit Brush(BrushType type) : m_type(type) {}

private:
    BrushType m_type;
};

class TARN_API SolidBrush final : public Brush {
public:
    explicit SolidBrush(const Color& color) : Brush(BrushType::Solid), m_color(color) {}
    Status GetColor(Color* color) const
    {
        if (!color)
            return InvalidParameter;
        *color = m_color;
        return Ok;
    }
    Color GetColor() const { return m_color; }
    Status SetColor(const Color& color)
    {
        m_color = color;
        return Ok;
    }

private:
    Color m_color;
};

} // namespace tarn::gp
