#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSink.h"
#include "catalogue/Layout.h"
#include "catalogue/LayoutViews.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <set>

using namespace corvane;
using tarn::CString;

namespace {

class Quiet : public CatalogueSink, public LayoutPageView, public LayoutStore {
public:
    void AddDevice(const CString&, int, int, int, bool) override {}
    void AddModel(int, int, const CString&, int, int, const CString&) override {}
    void SetVersionText(const CString&) override {}
    void SetCopyrightText(const CString&) override {}
    void SetTabItemVisible(int, bool) override {}
    void SetSliderMaximum(int, int) override {}
    void ShowFirmwareButton(bool) override {}
    bool IsOpen() override { return false; }
    void Close() override {}
    bool OpenForDevice(const CString&) override { return true; }
    void SetDeviceType(int) override {}
};

// Every model of the shipped catalogue has a layout that loads and holds together.
TEST(ShippedLayouts, EveryModelsLayoutIsConsistent)
{
    const std::filesystem::path programDir = CORVANE_PROGRAM_DIR;
    Quiet quiet;
    Catalogue catalogue;
    catalogue.Read(programDir, quiet);
    ASSERT_FALSE(catalogue.KeyboardModels().empty());
    for (const DeviceRecord& model : catalogue.KeyboardModels()) {
        SCOPED_TRACE(model.name.ToUtf8());
        Layout layout(catalogue, programDir, quiet, quiet, {});
        ASSERT_TRUE(layout.LoadLayout(model.device_type));
        const LayoutState s = layout.Snapshot();
        ASSERT_FALSE(s.keys.empty());
        EXPECT_GT(s.row_count, 0);
        EXPECT_GT(s.col_count, 0);
        EXPECT_FALSE(s.light_modes.empty());
        const tarn::CRect picture(0, 0, 10000, 10000);
        std::set<int> codes, indexes;
        std::set<std::pair<int, int>> cells;
        for (const LayoutKey& key : s.keys) {
            SCOPED_TRACE(key.desc.ToUtf8());
            EXPECT_TRUE(codes.insert(key.code).second) << "duplicate code";
            EXPECT_TRUE(indexes.insert(key.key_index).second) << "duplicate key_index";
            EXPECT_GE(key.key_index, 0);
            EXPECT_LE(key.key_index, 109);
            EXPECT_TRUE((key.code >= 4 && key.code <= 231) || key.code == 175);
            ASSERT_GE(key.row, 0) << "every key has a matrix position";
            EXPECT_LT(key.row, s.row_count);
            EXPECT_LT(key.col, s.col_count);
            EXPECT_TRUE(cells.insert({key.row, key.col}).second) << "two keys on one matrix cell";
            EXPECT_FALSE(key.rect.IsRectEmpty());
            for (const LayoutKey& other : s.keys) {
                tarn::CRect overlap;
                if (&other != &key) {
                    EXPECT_FALSE(overlap.IntersectRect(key.rect, other.rect)) << "overlaps " << other.desc.ToUtf8();
                }
            }
        }
    }
}

} // namespace
