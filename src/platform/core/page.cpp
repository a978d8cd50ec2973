// The desktop has no page to tell.
#include "platform/core/page.h"

namespace platform::page {

void soundStarted(int) {}
void framePresented() {}
void activated(bool) {}

} // namespace platform::page
