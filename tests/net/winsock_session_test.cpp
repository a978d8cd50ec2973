// Taking and giving back the socket library, and what a failed start shows.
#include <gtest/gtest.h>

#include <algorithm>

#include "net/winsock_session.h"
#include "platform/headless.h"
#include "platform/window.h"

namespace {

using platform::headless::messageBoxes;
using platform::headless::trace;

int traced(const char* event) { return static_cast<int>(std::count(trace().begin(), trace().end(), event)); }

class WinsockSessionTest : public testing::Test {
protected:
    void SetUp() override { platform::headless::reset(); }
};

TEST_F(WinsockSessionTest, StartsOnConstructionAndCleansUpOnDestruction) {
    {
        WinsockSession session;
        EXPECT_EQ(traced("WSAStartup"), 1);
        EXPECT_EQ(traced("WSACleanup"), 0);
    }
    EXPECT_EQ(traced("WSACleanup"), 1);
    EXPECT_TRUE(messageBoxes().empty());
}

TEST_F(WinsockSessionTest, AFailedStartIsShownAndEndsTheProgram) {
    platform::headless::injectFault(platform::Fault::WSAStartup);
    {
        WinsockSession session;
        ASSERT_EQ(messageBoxes().size(), 1u);
        EXPECT_EQ(messageBoxes()[0].text, "Error Couldnt Init Winsock!");
        EXPECT_EQ(messageBoxes()[0].caption, "Aborting");
        EXPECT_EQ(messageBoxes()[0].type, MB_ICONINFORMATION);
    }
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(WinsockSessionTest, AnotherVersionIsGivenBackAtOnceWithoutAWord) {
    platform::headless::injectFault(platform::Fault::WSAStartupVersion);
    WinsockSession session;
    EXPECT_EQ(traced("WSACleanup"), 1);
    EXPECT_TRUE(messageBoxes().empty());
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

} // namespace
