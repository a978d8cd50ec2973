// Windows sends a windowed program no hang-up: the end of the session reaches the game as SDL's
// quit event, which closes it as the close button does. Nothing to set up.
#include "platform/sdl/sdl_events.h"

namespace platform {

void closeOnHangUp() {}

} // namespace platform
