#include <gtest/gtest.h>

#include <cstring>

#include "platform/core/platform_state.h"
#include "platform/resources.h"
#include "platform/window.h"
#include "program_run.h"

namespace {

TEST(Resources, FindsRecordingsByIntegerIdAndType) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(121), "WAVE");
    ASSERT_NE(found, nullptr);
    const void* image = LockResource(LoadResource(nullptr, found));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(std::memcmp(image, "RIFF", 4), 0);
    EXPECT_GT(SizeofResource(nullptr, found), 3445u);
    EXPECT_EQ(FindResourceA(nullptr, "#121", "wave"), found) << "numeric names and any case of the type";
}

TEST(Resources, MissingIdsAndTypesAreNotFound) {
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(127), "WAVE"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(121), "ICON"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "#12x", "WAVE"), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, nullptr, "WAVE"), nullptr);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}

TEST(Resources, TheWindowIconLoadsOnceAndIsShared) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(133));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(133)), icon);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(134)), nullptr);

    // The game's window, on its first frame, shows that icon.
    platform::headless::reset();
    HICON shown = nullptr;
    runProgram([&](int) { shown = static_cast<WindowObject*>(app.window)->icon; }, 1);
    EXPECT_EQ(shown, icon);
}

} // namespace
