// The long-lived objects come up in this order and go down in the reverse one. Winsock is started
// five times, as five parts of the program each hold a session.
#include "program/program_objects.h"

#include <cstring>

#include "app/globals.h"
#include "game/pub_screen.h"
#include "gfx/fonts.h"
#include "net/winsock_session.h"
#include "screens/help_screen.h"
#include "screens/title_screen.h"
#include "sound/sound_effect.h"

namespace {

// Fonts live until the process ends: never deleted.
struct GameFont {
    GameFont(HFONT& font, int height) { font = makeFont("Arial", height); }
};

struct JoystickObject {
    JoystickObject() { joystick = Joystick{}; }
    ~JoystickObject() { std::memset(&joystick.position, 0, sizeof joystick.position); }
};

// The keyboard and the sound device are never released: sound effects may still need them.
struct ApplicationObject {
    ApplicationObject() {
        app = Application{};
        soundAvailable = false;
    }
    ~ApplicationObject() { app.releaseDisplay(); }
};

struct TitleObject {
    TitleObject() {
        titleScreen = TitleScreen{};
        resetTitleState();
    }
    ~TitleObject() { titleScreen.teardown(); }
};

struct HelpObject {
    HelpObject() { helpScreen = HelpScreen{}; }
    ~HelpObject() { helpScreen.teardown(); }
};

struct PubObject {
    PubObject() {
        pubScreen = PubScreen{};
        resetPlayState();
    }
    ~PubObject() { pubScreen.teardown(); }
};

} // namespace

struct ProgramObjects::Steps {
    WinsockSession firstSession;
    GameFont hud{hudFont, 18};
    JoystickObject joystickObject;
    WinsockSession secondSession;
    GameFont help{helpFont, 20};
    WinsockSession thirdSession;
    WinsockSession fourthSession;
    ApplicationObject applicationObject;
    TitleObject titleObject;
    HelpObject helpObject;
    PubObject pubObject;
    WinsockSession fifthSession;
};

ProgramObjects::ProgramObjects() : steps_(new Steps) {}

ProgramObjects::~ProgramObjects() { delete steps_; }
