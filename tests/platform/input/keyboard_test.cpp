#include <gtest/gtest.h>

#include <array>

#include "platform/dinput.h"
#include "platform/headless.h"
#include "platform/window.h"
#include "window_fixture.h"

namespace {

using namespace platform;

class Keyboard : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ShowWindow(window, SW_SHOW);
        ASSERT_EQ(DirectInputCreateA(GetModuleHandleA(nullptr), 0x0700, &input, nullptr), DI_OK);
        ASSERT_EQ(input->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
        keyboard->SetDataFormat(&c_dfDIKeyboard);
        keyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
        keyboard->Acquire();
    }
    void TearDown() override {
        keyboard->Release();
        input->Release();
    }

    HRESULT read() {
        state.fill(0x55);
        return keyboard->GetDeviceState(256, state.data());
    }

    IDirectInput* input = nullptr;
    IDirectInputDevice* keyboard = nullptr;
    std::array<BYTE, 256> state{};
};

TEST_F(Keyboard, ReportsExactlyTheKeysThatAreDown) {
    headless::setKeyDown(DIK_SPACE, true);
    headless::setKeyDown(DIK_UP, true);
    ASSERT_EQ(read(), DI_OK);
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(state[code], (code == DIK_SPACE || code == DIK_UP) ? 0x80 : 0) << code;
}

TEST_F(Keyboard, NoKeyIsDownWhileInactiveAndTheTrueStateReturnsWithFocus) {
    headless::setKeyDown(DIK_ESCAPE, true);
    headless::setActive(false);
    EXPECT_EQ(read(), DIERR_NOTACQUIRED);
    EXPECT_EQ(state[DIK_ESCAPE], 0);
    EXPECT_EQ(state[0], 0) << "the whole buffer is cleared, not left as it was";
    // A device whose level was never set reads on: its level is background until one is set.
    IDirectInputDevice* unset = nullptr;
    ASSERT_EQ(input->CreateDevice(GUID_SysKeyboard, &unset, nullptr), DI_OK);
    unset->SetDataFormat(&c_dfDIKeyboard);
    unset->Acquire();
    EXPECT_EQ(unset->GetDeviceState(256, state.data()), DI_OK);
    EXPECT_EQ(state[DIK_ESCAPE], 0x80);
    unset->Release();
    headless::setActive(true);
    ASSERT_EQ(read(), DI_OK);
    EXPECT_EQ(state[DIK_ESCAPE], 0x80);
}

TEST_F(Keyboard, RefusesReadsBeforeAcquisitionAndOfTheWrongSize) {
    IDirectInputDevice* fresh = nullptr;
    ASSERT_EQ(input->CreateDevice(GUID_SysKeyboard, &fresh, nullptr), DI_OK);
    fresh->SetDataFormat(&c_dfDIKeyboard);
    EXPECT_EQ(fresh->GetDeviceState(256, state.data()), DIERR_NOTACQUIRED);
    fresh->Release();
    EXPECT_EQ(keyboard->GetDeviceState(128, state.data()), DIERR_INVALIDPARAM);
}

TEST_F(Keyboard, SetUpFaults) {
    IDirectInput* other = nullptr;
    headless::injectFault(Fault::CreateKeyboardDevice, DIERR_GENERIC);
    IDirectInputDevice* device = reinterpret_cast<IDirectInputDevice*>(1);
    EXPECT_EQ(input->CreateDevice(GUID_SysKeyboard, &device, nullptr), DIERR_GENERIC);
    EXPECT_EQ(device, nullptr);
    headless::injectFault(Fault::DirectInputCreate, DIERR_GENERIC);
    EXPECT_EQ(DirectInputCreateA(nullptr, 0x0700, &other, nullptr), DIERR_GENERIC);
    EXPECT_EQ(other, nullptr);
}

TEST_F(Keyboard, KeyPressesArriveAsMessagesWithScanCodeAltAndRepeatBits) {
    headless::pressKey(DIK_RETURN);
    headless::pressKey(DIK_UP, true);
    headless::setKeyDown(DIK_RMENU, true);
    headless::pressKey(DIK_RETURN);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_RETURN));
    EXPECT_EQ((msg.lParam >> 16) & 0xFF, DIK_RETURN);
    EXPECT_EQ((msg.lParam >> 29) & 1, 0);
    EXPECT_EQ((msg.lParam >> 30) & 1, 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_UP));
    EXPECT_EQ((msg.lParam >> 16) & 0xFF, DIK_UP & 0x7F);
    EXPECT_EQ((msg.lParam >> 24) & 1, 1) << "an E0 key";
    EXPECT_EQ((msg.lParam >> 30) & 1, 1);
    // With Alt held the key is the system's.
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_SYSKEYDOWN);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_RETURN));
    EXPECT_EQ((msg.lParam >> 29) & 1, 1);
    // Alt itself is the system's, even where its press comes before its state says it is held.
    headless::setKeyDown(DIK_RMENU, false);
    headless::pressKey(DIK_LMENU);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_SYSKEYDOWN);
    EXPECT_EQ((msg.lParam >> 29) & 1, 1);
}

TEST_F(Keyboard, TappedKeyIsUpAgainWhenItsMessageIsHandled) {
    headless::tapKey(DIK_ESCAPE);
    ASSERT_EQ(read(), DI_OK);
    EXPECT_EQ(state[DIK_ESCAPE], 0);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_ESCAPE));
}

TEST_F(Keyboard, AsyncStateCountsEveryKeyOfTheSameMeaning) {
    EXPECT_EQ(GetAsyncKeyState(VK_RETURN), 0);
    headless::setKeyDown(DIK_NUMPADENTER, true);
    EXPECT_NE(GetAsyncKeyState(VK_RETURN) & 0x8000, 0);
}

} // namespace
