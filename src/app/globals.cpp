// The long-lived objects themselves. ProgramObjects puts them in their starting state and tears
// them down in order.
#include "app/globals.h"
#include "game/pub_screen.h"
#include "gfx/fonts.h"
#include "screens/help_screen.h"
#include "screens/title_screen.h"

Application app;
Joystick joystick;
HFONT hudFont = nullptr;
HFONT helpFont = nullptr;
TitleScreen titleScreen;
HelpScreen helpScreen;
PubScreen pubScreen;
