// What the page around the game is told as it runs, where there is a page: the web's tests follow
// the game through these. Nothing on the desktop.
#pragma once

namespace platform::page {

void soundStarted(int resourceId);
void framePresented();
void activated(bool active);

} // namespace platform::page
