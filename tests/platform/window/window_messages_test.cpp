#include <gtest/gtest.h>

#include "platform/core/system.h"
#include "platform/headless.h"
#include "platform/window.h"
#include "window_fixture.h"

namespace {

using namespace platform;

using WindowMessages = WindowFixture;

TEST_F(WindowMessages, ShowingActivatesBeforeReturningAndOnlyOnce) {
    EXPECT_EQ(count(WM_ACTIVATEAPP), 0);
    EXPECT_FALSE(sys::isActive());
    ShowWindow(window, SW_SHOW);
    ASSERT_EQ(count(WM_ACTIVATEAPP), 1);
    EXPECT_EQ(received().back().wParam, 1u);
    EXPECT_TRUE(sys::isActive());
    EXPECT_EQ(GetForegroundWindow(), window);
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(count(WM_ACTIVATEAPP), 1);
    // Nothing was queued for it: it was delivered directly.
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowMessages, PostedMessagesComeBeforeTheQuitWhichCarriesItsCode) {
    PostMessageA(window, WM_USER, 1, 2);
    PostQuitMessage(3);
    PostMessageA(window, WM_USER + 1, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(msg.lParam, 2);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_USER + 1);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowMessages, GetMessageGivesUpWhenNothingCanEverArrive) {
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1);
    EXPECT_EQ(WaitMessage(), TRUE);
}

LRESULT nesting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static int depth = 0;
    if (message == WM_USER) {
        ++depth;
        LRESULT inner = wParam > 0 ? SendMessageA(window, WM_USER, wParam - 1, 0) : 0;
        --depth;
        return inner * 10 + depth + 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(WindowMessages, SendMessageRunsTheProcedureReentrantly) {
    WNDCLASSA nested{};
    nested.lpfnWndProc = &nesting;
    nested.lpszClassName = "Nested";
    RegisterClassA(&nested);
    HWND other = CreateWindowExA(0, "Nested", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    // Each call sees how deeply it is nested: 3 innermost, then 2, then 1 for the outer call.
    EXPECT_EQ(SendMessageA(other, WM_USER, 2, 0), 321);
}

TEST_F(WindowMessages, CloseDestroysTheWindowBeforeSendMessageReturns) {
    ShowWindow(window, SW_SHOW);
    PostMessageA(window, WM_USER, 0, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(count(WM_DESTROY), 1);
    EXPECT_EQ(received().back().message, WM_DESTROY);
    EXPECT_FALSE(sys::isActive());
    EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
    // What was waiting for the window went with it; the quit from WM_DESTROY remains.
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(DestroyWindow(window));
}

TEST_F(WindowMessages, ActivationChangesArePostedAndDeactivationStopsTheForeground) {
    ShowWindow(window, SW_SHOW);
    headless::setActive(false);
    EXPECT_EQ(GetForegroundWindow(), nullptr);
    headless::setActive(false);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_ACTIVATEAPP);
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "no change, no second message";
    headless::setActive(true);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(DispatchMessageA(&msg), 0);
    EXPECT_EQ(received().back().message, WM_ACTIVATEAPP);
}

TEST_F(WindowMessages, WindowCreationCanFailAndIsTraced) {
    headless::clearTrace();
    headless::injectFault(Fault::CreateWindow);
    EXPECT_EQ(CreateWindowExA(0, "Brannoc", "Brannoc", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(headless::trace(), (std::vector<std::string>{"CreateWindowExA", "CreateWindowExA"}));
}

TEST_F(WindowMessages, MessageBoxesAreRecordedWithTheSystemCaptionOnStderr) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "Error Setting Display Mode", nullptr, MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "Error Couldnt Init Winsock!", "Aborting", MB_ICONINFORMATION), IDOK);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Error: Error Setting Display Mode\nAborting: Error Couldnt Init Winsock!\n");
    EXPECT_EQ(headless::trace(), (std::vector<std::string>{"CreateWindowExA", "MessageBoxA", "MessageBoxA"}));
    ASSERT_EQ(headless::messageBoxes().size(), 2u);
    EXPECT_EQ(headless::messageBoxes()[0].caption, "");
    EXPECT_EQ(headless::messageBoxes()[1].type, MB_ICONINFORMATION);
}

TEST_F(WindowMessages, DebugOutputAndCursorCount) {
    testing::internal::CaptureStderr();
    OutputDebugStringA("repaired\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "repaired\n");
    EXPECT_EQ(headless::debugOutput(), "repaired\n");
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    headless::injectFault(Fault::LoadCursor);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), nullptr);
}

} // namespace
