#include <gtest/gtest.h>

#include "platform/headless.h"
#include "platform/joystick_api.h"

namespace {

using namespace platform;

class Joystick : public testing::Test {
protected:
    void SetUp() override { headless::reset(); }

    UINT read() {
        info = JOYINFOEX{};
        info.dwSize = sizeof info;
        info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
        return joyGetPosEx(JOYSTICKID1, &info);
    }

    JOYINFOEX info{};
    JOYCAPSA caps{};
};

TEST_F(Joystick, NoneConnectedFailsEveryRead) {
    EXPECT_EQ(read(), JOYERR_UNPLUGGED);
    EXPECT_NE(joyGetDevCapsA(JOYSTICKID1, &caps, sizeof caps), JOYERR_NOERROR);
}

TEST_F(Joystick, ReportsPositionAndTheNumberOfButtonsHeld) {
    JoystickState pad;
    pad.present = true;
    pad.x = 0;
    pad.y = 65535;
    pad.buttonsHeld = 2;
    headless::setJoystick(pad);
    ASSERT_EQ(read(), JOYERR_NOERROR);
    EXPECT_EQ(info.dwXpos, 0u);
    EXPECT_EQ(info.dwYpos, 65535u);
    EXPECT_EQ(info.dwButtonNumber, 2u);
    // Only what the flags ask for.
    info.dwFlags = JOY_RETURNBUTTONS;
    ASSERT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_NOERROR);
    EXPECT_EQ(info.dwYpos, 0u);
    EXPECT_EQ(info.dwButtonNumber, 2u);
    info.dwFlags = JOY_RETURNY;
    ASSERT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_NOERROR);
    EXPECT_EQ(info.dwYpos, 65535u);
    EXPECT_EQ(info.dwButtonNumber, 0u);
    ASSERT_EQ(joyGetDevCapsA(JOYSTICKID1, &caps, sizeof caps), JOYERR_NOERROR);
    EXPECT_EQ(caps.wXmin, 0u);
    EXPECT_EQ(caps.wXmax, 65535u);
}

TEST_F(Joystick, UnpluggedAfterCalibrationMakesReadsFail) {
    JoystickState pad;
    pad.present = true;
    headless::setJoystick(pad);
    ASSERT_EQ(read(), JOYERR_NOERROR);
    pad.present = false;
    headless::setJoystick(pad);
    EXPECT_EQ(read(), JOYERR_UNPLUGGED);
}

TEST_F(Joystick, UnreadableCapabilitiesFailWhilePositionsStillRead) {
    JoystickState pad;
    pad.present = true;
    pad.capsReadable = false;
    headless::setJoystick(pad);
    EXPECT_EQ(read(), JOYERR_NOERROR);
    EXPECT_NE(joyGetDevCapsA(JOYSTICKID1, &caps, sizeof caps), JOYERR_NOERROR);
}

TEST_F(Joystick, RejectsBadRecordsAndOtherJoysticks) {
    JoystickState pad;
    pad.present = true;
    headless::setJoystick(pad);
    info.dwSize = 40;
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_PARMS);
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, nullptr), JOYERR_PARMS);
    info.dwSize = sizeof info;
    EXPECT_NE(joyGetPosEx(1, &info), JOYERR_NOERROR);
    EXPECT_NE(joyGetDevCapsA(1, &caps, sizeof caps), JOYERR_NOERROR);
    EXPECT_EQ(joyGetDevCapsA(JOYSTICKID1, &caps, 100), JOYERR_PARMS);
}

} // namespace
