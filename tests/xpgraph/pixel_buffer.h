#pragma once

#include "xpgraph/gdi_raster.h"

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

// A plain pixel buffer for drawing tests. Every row carries a few padding pixels beyond the
// width, so a write past the right edge shows up as a changed padding pixel.
struct PixelBuffer {
    static constexpr std::uint32_t kPaper = 0x123456;
    static constexpr int kPadding = 3;

    PixelBuffer(int width, int height)
        : pixels(static_cast<std::size_t>((width + kPadding) * height), 0xFF000000u | kPaper),
          raster({pixels.data(), width, height, width + kPadding})
    {
    }

    std::uint32_t At(int x, int y) const { return raster.Pixel(x, y); }

    // The pixels that no longer hold the paper colour.
    std::set<std::pair<int, int>> Changed() const
    {
        std::set<std::pair<int, int>> changed;
        for (int y = 0; y < raster.Height(); ++y)
            for (int x = 0; x < raster.Width(); ++x)
                if (At(x, y) != kPaper)
                    changed.insert({x, y});
        return changed;
    }

    bool PaddingUntouched() const
    {
        const int stride = raster.Width() + kPadding;
        for (int y = 0; y < raster.Height(); ++y)
            for (int x = raster.Width(); x < stride; ++x)
                if (pixels[static_cast<std::size_t>(y * stride + x)] != (0xFF000000u | kPaper))
                    return false;
        return true;
    }

    std::vector<std::uint32_t> pixels;
    gdi::GdiRaster raster;
};
