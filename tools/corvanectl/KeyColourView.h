#pragma once

#include "catalogue/LayoutState.h"
#include "device/ColourTransfer.h"

#include <vector>

namespace corvane::ctl {

// The lighting page's keyboard view as a live frame paints it: one item per layout key.
class KeyColourView : public LiveFrameView {
public:
    explicit KeyColourView(const LayoutState& layout)
    {
        for (const LayoutKey& key : layout.keys)
            m_items.push_back({key.code, 0});
    }

    void SetKeyColor(int key_code, uint32_t colour) override
    {
        for (KeyColour& item : m_items) {
            if (item.key_code == key_code)
                item.colour = colour;
        }
    }
    void Repaint() override {}
    std::vector<KeyColour> GetKeyItems() override { return m_items; }

private:
    std::vector<KeyColour> m_items;
};

} // namespace corvane::ctl
