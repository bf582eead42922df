#include "catalogue/Layout.h"

#include "catalogue/Catalogue.h"
#include "catalogue/LayoutParse.h"
#include "catalogue/LayoutViews.h"
#include "tarnui/platform/Numbers.h"
#include "xml/XmlDocument.h"

#include <algorithm>

namespace corvane {

using tarn::CString;

namespace {

int Decimal(const XmlDocument& doc, const char* name)
{
    return tarn::ReadDecimal(doc.GetAttrib(name).view());
}

} // namespace

Layout::Layout(const Catalogue& catalogue, std::filesystem::path programDir, LayoutStore& store, LayoutPageView& page,
               Views views)
    : m_catalogue(catalogue), m_programDir(std::move(programDir)), m_store(store), m_page(page), m_views(views)
{
}

bool Layout::LoadLayout(int device_type)
{
    const DeviceRecord* model = m_catalogue.FindModel(device_type);
    const CString info = model ? model->device_info : CString();
    const CString name = model ? model->name : CString();
    {
        std::lock_guard guard(m_lock);
        m_state.firmware_url.Empty();
        m_state.device_type = device_type;
    }
    if (m_store.IsOpen())
        m_store.Close();
    m_store.OpenForDevice(name);
    m_store.SetDeviceType(device_type);
    LayoutState working;
    {
        std::lock_guard guard(m_lock);
        m_state.model_name = name;
        working = m_state;
    }

    XmlDocument doc;
    const auto path = m_programDir / "layouts" / (info + L".xml").ToUtf8();
    if (!doc.Load(path) || !doc.FindElem("device.info"))
        return false;
    doc.IntoElem();
    ReadLayout(doc, working);
    std::lock_guard guard(m_lock);
    m_state = std::move(working);
    return true;
}

void Layout::ReadLayout(XmlDocument& doc, LayoutState& state)
{
    if (doc.FindElem("menu")) {
        state.feature_flags = 0x41;
        if (doc.GetAttrib("macro") == L"1")
            state.feature_flags |= FeatureMacros;
        if (doc.GetAttrib("light_mode") == L"1")
            state.feature_flags |= FeatureLighting;
        m_page.SetTabItemVisible(1, (state.feature_flags & FeatureCustomKeys) != 0);
        m_page.SetTabItemVisible(2, (state.feature_flags & FeatureMacros) != 0);
        m_page.SetTabItemVisible(3, (state.feature_flags & FeatureLighting) != 0);
    }
    if (doc.FindElem("function"))
        (void)doc.GetAttrib("sleep_time"); // carried by the files, used by nothing
    if (doc.FindElem("firmware")) {
        state.firmware_version = doc.GetAttrib("version");
        state.firmware_file = doc.GetAttrib("file");
        state.firmware_url = doc.GetAttrib("url");
        m_page.ShowFirmwareButton(!state.firmware_version.IsEmpty() && !state.firmware_file.IsEmpty());
    }
    if (doc.FindElem("light")) {
        state.rgb_keyboard = doc.GetAttrib("rgb_keyboard") == L"1";
        state.default_mode = Decimal(doc, "default_mode");
        state.default_brightness = Decimal(doc, "default_brightness");
        state.default_speed = Decimal(doc, "default_speed");
        state.brightness_max = Decimal(doc, "brightness_max");
        state.speed_max = Decimal(doc, "speed_max");
        m_page.SetSliderMaximum(LayoutPageView::BrightnessSlider, state.brightness_max);
        m_page.SetSliderMaximum(LayoutPageView::SpeedSlider, state.speed_max);
        state.light_modes.clear();
        doc.IntoElem();
        while (doc.FindElem("info"))
            state.light_modes.push_back({doc.GetAttrib("name"), Decimal(doc, "mode"), Decimal(doc, "attribute"),
                                         state.default_brightness});
        doc.OutOfElem();
    }

    state.assignment_index.clear();
    state.lighting_index.clear();
    state.keys.clear();
    state.row_count = 0;
    state.col_count = 0;
    state.matrix = LayoutState::EmptyMatrix();
    for (LayoutKeyboardView* view : EnabledViews(state.feature_flags)) {
        if (view)
            view->ClearItem();
    }
    if (doc.FindElem("Keyboard"))
        ReadKeyboard(doc, state);
}

void Layout::ReadKeyboard(XmlDocument& doc, LayoutState& state)
{
    const int x = Decimal(doc, "xpos");
    const int y = Decimal(doc, "ypos");
    const int width = Decimal(doc, "width");
    const int height = Decimal(doc, "height");
    const CString image = doc.GetAttrib("image");
    // Counts past the matrix would make the effects index outside it.
    state.row_count = std::clamp(Decimal(doc, "row_count"), 0, LayoutState::MatrixRows);
    state.col_count = std::clamp(Decimal(doc, "col_count"), 0, LayoutState::MatrixCols);
    const auto views = EnabledViews(state.feature_flags);
    const tarn::CRect frame = RectFromSize(x, y, width, height);
    for (LayoutKeyboardView* view : views) {
        if (!view)
            continue;
        view->SetRect(frame.left, frame.top, frame.right, frame.bottom);
        view->SetKeyboardImage(L"keyboard/" + image);
        view->SetWidthAndHeight(width, height);
    }

    doc.IntoElem();
    if (doc.FindElem("KeyItems")) {
        doc.IntoElem();
        while (doc.FindElem("key")) {
            LayoutKey key;
            key.code = tarn::ReadHex(doc.GetAttrib("code").view());
            key.name = doc.GetAttrib("name");
            key.desc = doc.GetAttrib("desc");
            key.key_index = Decimal(doc, "key_index");
            state.assignment_index[key.code] = key.key_index;
            state.lighting_index[key.code] = key.key_index;
            const MatrixPosition at = ParseRowCol(doc.GetAttrib("row_col").view());
            if (at.valid()) {
                key.row = at.row;
                key.col = at.col;
                state.matrix[static_cast<size_t>(at.row)][static_cast<size_t>(at.col)] = static_cast<uint8_t>(key.code & 0xFF);
            }
            key.rect = ParseKeyRect(doc.GetAttrib("rect").view());
            (void)doc.GetAttrib("light_index"); // both index tables take key_index
            (void)doc.GetAttrib("icon");        // the views get no icon
            for (LayoutKeyboardView* view : views) {
                if (view)
                    view->AddKeyItem(key.name, key.desc, key.code, key.rect, CString());
            }
            state.keys.push_back(std::move(key));
        }
        doc.OutOfElem();
    }
    doc.OutOfElem();
}

std::array<LayoutKeyboardView*, 3> Layout::EnabledViews(int flags) const
{
    return {(flags & FeatureCustomKeys) ? m_views.custom_keys : nullptr,
            (flags & FeatureLighting) ? m_views.lighting : nullptr,
            (flags & FeatureSettingsView) ? m_views.settings : nullptr};
}

LayoutState Layout::Snapshot() const
{
    std::lock_guard guard(m_lock);
    return m_state;
}

int Layout::FeatureFlags() const
{
    std::lock_guard guard(m_lock);
    return m_state.feature_flags;
}

int Layout::DeviceType() const
{
    std::lock_guard guard(m_lock);
    return m_state.device_type;
}

} // namespace corvane
