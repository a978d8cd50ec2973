// Joystick 0: thresholds from its axis limits, reads that fail when it is gone.
#include <gtest/gtest.h>

#include "app/joystick.h"
#include "platform/headless.h"

namespace {

namespace headless = platform::headless;

class JoystickTest : public testing::Test {
protected:
    void SetUp() override { headless::reset(); }

    Joystick calibrated(const platform::JoystickState& state) {
        headless::setJoystick(state);
        Joystick stick;
        EXPECT_TRUE(stick.calibrate());
        return stick;
    }
    static void moveTo(platform::JoystickState state, DWORD x, DWORD y) {
        state.x = x;
        state.y = y;
        headless::setJoystick(state);
    }
};

TEST_F(JoystickTest, FullRangeDeadZoneBoundaries) {
    platform::JoystickState state;
    state.present = true;
    Joystick stick = calibrated(state);
    EXPECT_EQ(stick.yLow, 26213u);
    EXPECT_EQ(stick.yHigh, 39320u);
    EXPECT_EQ(stick.xLow, 26213u);
    EXPECT_EQ(stick.xHigh, 39320u);

    // Each axis on both sides of both thresholds, the other axis centred: comparisons are strict.
    struct Probe {
        DWORD at;
        bool low, high, centred;
    };
    for (Probe p :
         {Probe{26212, true, false, false}, Probe{26213, false, false, false}, Probe{32767, false, false, true},
          Probe{39320, false, false, false}, Probe{39321, false, true, false}}) {
        moveTo(state, 32767, p.at);
        EXPECT_EQ(stick.up(), p.low) << "y " << p.at;
        EXPECT_EQ(stick.down(), p.high) << "y " << p.at;
        EXPECT_EQ(stick.centred(), p.centred) << "y " << p.at;
        moveTo(state, p.at, 32767);
        EXPECT_EQ(stick.left(), p.low) << "x " << p.at;
        EXPECT_EQ(stick.right(), p.high) << "x " << p.at;
        EXPECT_EQ(stick.centred(), p.centred) << "x " << p.at;
    }
}

TEST_F(JoystickTest, AxisWithANonZeroMinimumCountsTheCentreFromZero) {
    platform::JoystickState state;
    state.present = true;
    state.xMin = state.yMin = 1000;
    Joystick stick = calibrated(state);
    EXPECT_EQ(stick.xLow, 25813u);
    EXPECT_EQ(stick.xHigh, 38720u);
    EXPECT_EQ(stick.yLow, 25813u);
    EXPECT_EQ(stick.yHigh, 38720u);
}

TEST_F(JoystickTest, UnreadableCapabilitiesLeaveAllThresholdsAtZero) {
    platform::JoystickState state;
    state.present = true;
    state.capsReadable = false;
    Joystick stick = calibrated(state);
    EXPECT_EQ(stick.xLow | stick.xHigh | stick.yLow | stick.yHigh, 0u);
    moveTo(state, 0, 0);
    EXPECT_FALSE(stick.up());
    EXPECT_FALSE(stick.left());
    EXPECT_FALSE(stick.down());
    moveTo(state, 1, 1);
    EXPECT_TRUE(stick.down());
    EXPECT_TRUE(stick.right());
}

TEST_F(JoystickTest, NoJoystickAnswersNothing) {
    Joystick stick;
    EXPECT_FALSE(stick.calibrate());
    EXPECT_FALSE(stick.up());
    EXPECT_FALSE(stick.down());
    EXPECT_EQ(stick.buttons(), 0u);
}

TEST_F(JoystickTest, ButtonsCountWhatIsHeldAndNothingOnceUnplugged) {
    platform::JoystickState state;
    state.present = true;
    state.y = 0;
    state.buttonsHeld = 2;
    Joystick stick = calibrated(state);
    EXPECT_EQ(stick.buttons(), 2u);
    EXPECT_TRUE(stick.up());

    state.present = false; // pulled out with two buttons held
    headless::setJoystick(state);
    EXPECT_FALSE(stick.up());
    EXPECT_FALSE(stick.down());
    EXPECT_EQ(stick.buttons(), 0u);
    EXPECT_EQ(stick.position.dwButtonNumber, 0u) << "the failed read holds none either";
}

} // namespace
