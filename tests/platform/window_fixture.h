// A fresh headless world with one window whose procedure records what it receives.
#pragma once

#include <gtest/gtest.h>

#include <vector>

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
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &record;
        windowClass.lpszClassName = "Brannoc";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "Brannoc", "Brannoc", WS_POPUPWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
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
