#include "core/display_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zentora {
namespace {

int ValueOf(const std::vector<LayoutAssignment>& all, std::string_view control, LayoutProperty property) {
    const auto it = std::find_if(all.begin(), all.end(), [&](const LayoutAssignment& a) {
        return a.control == control && a.property == property;
    });
    EXPECT_NE(it, all.end()) << control;
    return it == all.end() ? -1 : it->value;
}

TEST(DisplayLayoutTest, DecisionAndScalingForThreeScreens) {
    struct Case {
        ScreenSize screen;
        bool wide;
        bool scale;
        int contentWidth;  // what a 1000-pixel control becomes
    } cases[] = {
        {{1280, 800}, true, false, 1000},   // ratio 1.6: the layout file, reference size, no scaling
        {{1280, 1024}, false, true, 1111},  // ratio 1.25: design layout, scaled by 1280/1152
        {{1440, 1000}, false, true, 1250},  // ratio 1.44: not wide
        {{1152, 864}, false, false, 1000},  // the design screen itself
    };
    for (const auto& c : cases) {
        const auto decision = DecideLayout(c.screen);
        EXPECT_EQ(decision.useLayoutFile, c.wide) << c.screen.width << "x" << c.screen.height;
        const auto scaling = ComputeWindowScaling(c.screen, decision.reference, 1264, 760, 1280, 812);
        EXPECT_EQ(scaling.scale, c.scale);
        EXPECT_EQ(scaling.Apply(1000), c.contentWidth);
    }
    const auto tall = ComputeWindowScaling({1280, 1024}, kDesignScreen, 1264, 760, 1280, 812);
    EXPECT_EQ(tall.height, 760 * 1024 / 864 + 52);
    EXPECT_EQ(tall.width, 1264 * 1280 / 1152 + 16);
}

TEST(DisplayLayoutTest, FileValuesDefaultsAndCase) {
    const auto ini = LayoutIni::Parse(
        "; comment\r\n[imagesleft]\r\nIMAGES12 = "
        "240\r\nImages12=1\r\n[Width]\nListbox1=401\nBannerWerbung=x\n"
        "[LabelAngle]\nJvLabel2=45\n[Top]\nGerade=350\n");
    const auto all = LayoutAssignments(ini);
    EXPECT_EQ(ValueOf(all, "Images12", LayoutProperty::Left), 240);  // first occurrence, any case
    EXPECT_EQ(ValueOf(all, "Images12", LayoutProperty::Top), 0);     // missing key collapses to 0
    EXPECT_EQ(ValueOf(all, "Listbox1", LayoutProperty::Width), 401);
    EXPECT_EQ(ValueOf(all, "JvLabel2", LayoutProperty::Angle), 45);
    EXPECT_EQ(ValueOf(all, "BannerWerbung", LayoutProperty::Width), 558);  // not a number: default
    EXPECT_EQ(ValueOf(all, "BannerWerbung", LayoutProperty::Left), 701);
    EXPECT_EQ(ValueOf(all, "Gerade", LayoutProperty::Top), 350);
    EXPECT_EQ(ValueOf(all, "Ungerade", LayoutProperty::Height), 28);
    EXPECT_EQ(ValueOf(all, "Ungerade", LayoutProperty::Top), 348);
    EXPECT_EQ(all.size(), std::size_t(4 * 157 + 4 * 37 + 4 * 49 + 3 + 4 * 5 + 4 + 4));
}

// Found by fuzzing: a huge value overflowed when the window was scaled to a wider screen.
TEST(DisplayLayoutTest, ValuesBeyondAnyScreenCountAsMissing) {
    const auto ini = LayoutIni::Parse(
        "[Width]\nStringGrid1=999999\nBannerWerbung=-2147483648\nListbox1=32767\nEdit1=-32768\n"
        "[Height]\nStringGrid1=32768\n");
    const auto all = LayoutAssignments(ini);
    EXPECT_EQ(ValueOf(all, "StringGrid1", LayoutProperty::Width), 0);
    EXPECT_EQ(ValueOf(all, "StringGrid1", LayoutProperty::Height), 0);
    EXPECT_EQ(ValueOf(all, "BannerWerbung", LayoutProperty::Width), 558);
    EXPECT_EQ(ValueOf(all, "Listbox1", LayoutProperty::Width), 32767);
    EXPECT_EQ(ValueOf(all, "Edit1", LayoutProperty::Width), -32768);

    const auto scaling = ComputeWindowScaling({7680, 4320}, kWideScreen, 1264, 760, 1280, 812);
    EXPECT_EQ(scaling.Apply(32767), 32767 * 6);
    EXPECT_EQ(scaling.Apply(-32768), -32768 * 6);
}

TEST(DisplayLayoutTest, MissingFileGivesDefaultsOnly) {
    const auto ini = LayoutIni::Load("/nonexistent/1280x800.ini");
    EXPECT_TRUE(ini.Empty());
    const auto all = LayoutAssignments(ini);
    EXPECT_EQ(ValueOf(all, "StringGrid1", LayoutProperty::Height), 0);
    EXPECT_EQ(ValueOf(all, "BannerWerbung", LayoutProperty::Top), 7);
}

TEST(DisplayLayoutTest, ShippedFileCoversEveryTableControl) {
    const auto ini =
        LayoutIni::Load(std::filesystem::path(ZENTORA_SOURCE_DIR) / "data/Einstellungen/1280x800.ini");
    for (int p = 0; p <= 156; ++p)
        for (const char* s : {"ImagesWidth", "ImagesHeight", "ImagesLeft", "ImagesTop"})
            EXPECT_TRUE(ini.Value(s, "Images" + std::to_string(p))) << s << p;
    for (int n = 1; n <= 37; ++n) EXPECT_GT(ini.ValueOr("ImageWidth", "Image" + std::to_string(n), 0), 0);
    for (const char* c : {"StringGrid1", "Listbox1", "Edit1", "Hintergrund", "Label0"})
        EXPECT_GT(ini.ValueOr("Width", c, 0), 0) << c;
}

TEST(DisplayLayoutTest, GridKeepsTwentyRowsAndProportions) {
    const auto sizes = ComputeGridSizes(67, 423);
    EXPECT_EQ(sizes.column[0], 23);
    EXPECT_EQ(sizes.column[1], 13);
    EXPECT_EQ(sizes.column[2], 23);
    EXPECT_EQ(sizes.row, 21);
}

}  // namespace
}  // namespace zentora
