// SPDX-License-Identifier: GPL-3.0-or-later
// The display layout file: parsed, turned into the control bounds, and those bounds scaled for a few screens
// as the main window does.

#include "core/display_layout.h"

#include <algorithm>
#include <array>

#include "fuzz_support.h"

using namespace zentora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const LayoutIni ini = LayoutIni::Parse(fuzz::Text(data, size));
    const std::vector<LayoutAssignment> assignments = LayoutAssignments(ini);

    // How far the controls reach, roughly: the farthest edge plus the largest size the file gives.
    std::array<int, 4> farthest{};  // Width, Height, Left, Top
    for (const LayoutAssignment& a : assignments)
        if (a.property != LayoutProperty::Angle)
            farthest[static_cast<int>(a.property)] =
                std::max(farthest[static_cast<int>(a.property)], a.value);
    const WindowMeasure window{1280, 800, 1280, 766, farthest[2] + farthest[0], farthest[3] + farthest[1]};

    constexpr std::array<ScreenSize, 4> screens = {{{1280, 800}, {1920, 1080}, {2560, 1080}, {3840, 1600}}};
    for (const ScreenSize screen : screens) {
        const LayoutDecision decision = DecideLayout(screen);
        const WindowScaling scaling =
            ComputeWindowScaling(screen, {screen.width, screen.height - 48}, decision.reference, window);
        int gridWidth = 0, gridHeight = 0;
        for (const LayoutAssignment& a : assignments) {
            const int scaled = scaling.Apply(a.value);
            if (a.control == "StringGrid1" && a.property == LayoutProperty::Width) gridWidth = scaled;
            if (a.control == "StringGrid1" && a.property == LayoutProperty::Height) gridHeight = scaled;
        }
        (void)ComputeGridSizes(gridWidth, gridHeight);
    }
    return 0;
}
