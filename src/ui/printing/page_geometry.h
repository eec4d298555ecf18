// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Page arithmetic of the print dialog, in printer pixels. Free of Qt so that it reads like the numbers it
// makes.

namespace zentora::printing {

inline constexpr double kMmPerInch = 25.4;

// pixels = round(mm × resolution / 25.4)
int MmToPixels(double mm, int pixelsPerInch);
// mm = pixels / resolution × 25.4
double PixelsToMm(int pixels, int pixelsPerInch);

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Offsets from the paper's edges; negative margins reach beyond the paper.
struct PixelMargins {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};

struct MmMargins {
    double top = 20;
    double bottom = 20;
    double left = 20;
    double right = 20;
};

// Margins are kept in millimetres and turned into pixels with the resolution of the moment, so a printer with
// another resolution never prints with offsets computed for the previous one.
PixelMargins MarginsToPixels(const MmMargins& mm, int pixelsPerInchX, int pixelsPerInchY);

// The room inside the margins of a page.
PixelRect PrintArea(int pageWidth, int pageHeight, const PixelMargins& margins);

// Where a chart of the given natural size (already in printer pixels) lands in the area. Stretched, it fills
// the area, keeping its proportions when asked. Unstretched it keeps its natural size, but is shrunk to fit a
// smaller area (proportions kept) rather than cut off. It sits at the area's top-left corner.
PixelRect FitChart(const PixelRect& area, int naturalWidth, int naturalHeight, bool stretch,
                   bool proportional);

}  // namespace zentora::printing
