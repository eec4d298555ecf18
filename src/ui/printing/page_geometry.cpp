// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/page_geometry.h"

#include <algorithm>
#include <cmath>

namespace zentora::printing {

int MmToPixels(double mm, int pixelsPerInch) {
    return static_cast<int>(std::lround(mm * pixelsPerInch / kMmPerInch));
}

double PixelsToMm(int pixels, int pixelsPerInch) {
    if (pixelsPerInch <= 0) return 0.0;
    return static_cast<double>(pixels) / pixelsPerInch * kMmPerInch;
}

PixelMargins MarginsToPixels(const MmMargins& mm, int pixelsPerInchX, int pixelsPerInchY) {
    return {MmToPixels(mm.top, pixelsPerInchY), MmToPixels(mm.bottom, pixelsPerInchY),
            MmToPixels(mm.left, pixelsPerInchX), MmToPixels(mm.right, pixelsPerInchX)};
}

PixelRect PrintArea(int pageWidth, int pageHeight, const PixelMargins& margins) {
    return {margins.left, margins.top, pageWidth - margins.left - margins.right,
            pageHeight - margins.top - margins.bottom};
}

PixelRect FitChart(const PixelRect& area, int naturalWidth, int naturalHeight, bool stretch,
                   bool proportional) {
    if (area.Empty() || naturalWidth <= 0 || naturalHeight <= 0) return {area.x, area.y, 0, 0};
    if (stretch && !proportional) return area;
    const double sx = static_cast<double>(area.width) / naturalWidth;
    const double sy = static_cast<double>(area.height) / naturalHeight;
    double scale = std::min(sx, sy);
    if (!stretch) scale = std::min(scale, 1.0);
    const int width = std::clamp(static_cast<int>(std::lround(naturalWidth * scale)), 1, area.width);
    const int height = std::clamp(static_cast<int>(std::lround(naturalHeight * scale)), 1, area.height);
    return {area.x, area.y, width, height};
}

}  // namespace zentora::printing
