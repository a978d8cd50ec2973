// An 800 by 600 flip chain on the headless backend, for drawing tests.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "headless_display.h"
#include "platform/headless.h"

class TestDisplay : public HeadlessDisplay {
public:
    explicit TestDisplay(int bits) : HeadlessDisplay(bits) {
        EXPECT_TRUE(ready()) << failedStep();
        clear();
    }

    // The whole back buffer to raw value 0, black at every depth.
    void clear() {
        DDBLTFX fx = {};
        fx.dwSize = sizeof fx;
        EXPECT_EQ(display.backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    }

    // The rectangle [left, right) by [top, bottom) as colours, row by row.
    std::vector<COLORREF> pixels(int left, int top, int right, int bottom) const {
        std::vector<COLORREF> out;
        HDC dc = nullptr;
        EXPECT_EQ(display.backBuffer->GetDC(&dc), DD_OK);
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                out.push_back(GetPixel(dc, x, y));
            }
        }
        display.backBuffer->ReleaseDC(dc);
        return out;
    }
    COLORREF pixel(int x, int y) const { return pixels(x, y, x + 1, y + 1)[0]; }
};
