// SPDX-License-Identifier: GPL-3.0-or-later
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

// The window as built: 1280 x 812 with 52 pixels of menu bar; the controls of the wide layout reach
// 1261 x 700, those of the design layout 1147 x 776.
constexpr WindowMeasure kWideWindow{1280, 812, 1280, 760, 1261, 700};
constexpr WindowMeasure kDesignWindow{1280, 812, 1280, 760, 1147, 776};

TEST(DisplayLayoutTest, DecisionAndScalingForScreens) {
    struct Case {
        ScreenSize screen;
        ScreenSize available;
        bool wide;
        int contentWidth;  // what a 1000-pixel control becomes
        ScreenSize window;
    } cases[] = {
        // Ratio 1.6: the layout file at its reference size, not scaled; the window kept within the screen.
        {{1280, 800}, {1280, 800}, true, 1000, {1280, 760}},
        // A panel takes 40 pixels: the controls shrink to the 668 pixels left below the title and menu bars.
        {{1280, 800}, {1280, 760}, true, 1000 * 668 / 700, {1280, 720}},
        {{1600, 1000}, {}, true, 1250, {1600, 960}},                     // W / Wr, and the controls fit
        {{1920, 1080}, {}, true, 1000 * 988 / 700, {1920, 1040}},        // W / Wr would be too tall
        {{1280, 1024}, {}, false, 1111, {1280, 760 * 1024 / 864 + 52}},  // 1280 / 1152 fits
        {{1440, 1000}, {}, false, 1000 * 908 / 776, {1440, 760 * 1000 / 864 + 52}},  // not wide; fitted
        {{1152, 864}, {}, false, 1000 * 772 / 776, {1152, 812}},  // 52 pixels of menu bar: 4 too many
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.screen.width) + "x" + std::to_string(c.screen.height));
        const auto decision = DecideLayout(c.screen);
        EXPECT_EQ(decision.useLayoutFile, c.wide);
        const auto scaling = ComputeWindowScaling(c.screen, c.available, decision.reference,
                                                  c.wide ? kWideWindow : kDesignWindow);
        EXPECT_EQ(scaling.scale, c.contentWidth != 1000);
        EXPECT_EQ(scaling.Apply(1000), c.contentWidth);
        EXPECT_EQ(scaling.width, c.window.width);
        EXPECT_EQ(scaling.height, c.window.height);
    }
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

    const auto scaling = ComputeWindowScaling({7680, 4320}, {}, kWideScreen, kWideWindow);
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
