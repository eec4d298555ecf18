// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <climits>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentora {

// The main window is designed for 1152 x 864. On wide screens the layout file "Einstellungen/1280x800.ini"
// repositions the table controls for 1280 x 800; in both cases the window is then scaled to the real screen.

struct ScreenSize {
    int width = 0;
    int height = 0;
};

inline constexpr ScreenSize kDesignScreen{1152, 864};
inline constexpr ScreenSize kWideScreen{1280, 800};
inline constexpr double kWideRatio = 1.45;

// The values a layout file may give: wider than any screen, small enough to scale without overflow.
inline constexpr int kLayoutValueMin = -32768;
inline constexpr int kLayoutValueMax = 32767;

// INI text: "[section]" lines and "key=value" lines; section and key names compared without case.
class LayoutIni {
  public:
    static LayoutIni Parse(std::string_view text);
    // A missing or unreadable file gives an empty layout (every key then takes its default).
    static LayoutIni Load(const std::filesystem::path& file);

    // Values are pixels (or degrees) within kLayoutValueRange; anything else counts as missing, so that no
    // bound can overflow when the window is scaled.
    std::optional<int> Value(std::string_view section, std::string_view key) const;
    int ValueOr(std::string_view section, std::string_view key, int fallback) const {
        return Value(section, key).value_or(fallback);
    }
    bool Empty() const { return values_.empty(); }

  private:
    std::map<std::string, std::map<std::string, std::string>> values_;  // lower-cased names
};

enum class LayoutProperty { Width, Height, Left, Top, Angle };

struct LayoutAssignment {
    std::string control;  // control name as the window knows it ("Images12", "ListBox1", ...)
    LayoutProperty property;
    int value;
};

// Every value the layout file sets, in the order of the file's sections, missing keys replaced by their
// defaults. The fixed ZeroButton bounds and the grid column come after these (see kWideZeroButton).
std::vector<LayoutAssignment> LayoutAssignments(const LayoutIni& ini);

struct LayoutRect {
    int left, top, width, height;
};
inline constexpr LayoutRect kWideZeroButton{178, 13, 346, 64};
inline constexpr int kWideGridMiddleColumn = 25;

struct LayoutDecision {
    bool useLayoutFile = false;
    ScreenSize reference = kDesignScreen;
};
LayoutDecision DecideLayout(ScreenSize screen);

// Room the window manager's title bar takes above a window (a maximised window has no side borders). Its size
// is only known once the window is shown, so the window keeps clear of this much of the available area.
inline constexpr ScreenSize kWindowDecoration{0, 40};

// The window as built, before scaling: its whole size, its client area (below the menu bar) and how far the
// controls reach on the client area (right and bottom edge; a background picture larger than the window is
// not counted).
struct WindowMeasure {
    int width = 0;
    int height = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int contentWidth = 0;
    int contentHeight = 0;
};

// The window's new outer size and the factor for its contents; scale = false when the factor is 1.
struct WindowScaling {
    bool scale = false;
    int width = 0;
    int height = 0;
    int numerator = 1;
    int denominator = 1;
    int Apply(int value) const {
        if (!scale) return value;
        const long long scaled = static_cast<long long>(value) * numerator / denominator;
        return static_cast<int>(std::clamp<long long>(scaled, INT_MIN, INT_MAX));
    }
};
// The contents grow or shrink by W / Wr (screen width over reference width), but never beyond what fits the
// available area (the screen less the desktop's panels; an empty size counts as the whole screen) with the
// window's frame and menu bar: then the factor is the one that just fits. The window's outer size is scaled
// by W / Wr across and H / Hr down and kept within the available area.
WindowScaling ComputeWindowScaling(ScreenSize screen, ScreenSize available, ScreenSize reference,
                                   const WindowMeasure& window);

// Column widths (0, 1, 2) and the row height of the 20-row recent-numbers grid.
struct GridSizes {
    int column[3];
    int row;
};
GridSizes ComputeGridSizes(int gridWidth, int gridHeight);

}  // namespace zentora
