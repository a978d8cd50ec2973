// A fresh headless world with one window whose procedure records what it receives.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "headless_display.h"
#include "platform/headless.h"
#include "platform/window.h"

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class WindowFixture : public testing::Test {
protected:
    static std::vector<Received>& received() {
        static std::vector<Received> log;
        return log;
    }

    static LRESULT record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        received().push_back(Received{message, wParam, lParam});
        if (message == WM_DESTROY) PostQuitMessage(7);
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void SetUp() override {
        platform::headless::reset();
        received().clear();
        window = makeTestWindow("Brannoc", &record);
        ASSERT_NE(window, nullptr);
    }

    int count(UINT message) const {
        int n = 0;
        for (auto& r : received())
            if (r.message == message) ++n;
        return n;
    }

    HWND window = nullptr;
};
