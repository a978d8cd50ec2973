// The game's side of the page: the functions that page_contract.js beside this file gives the
// game, where the contract between the page and the game is described.
#pragma once

extern "C" {
void brannoc_picture_area(int* width, int* height);
void brannoc_show_frame(const void* rgba, int width, int height, int stepWidth, int stepHeight, int x, int y,
                        int shownWidth, int shownHeight);
void brannoc_frame_presented(double displayFrameMs);
double brannoc_next_display_frame();
void brannoc_sleep(int ms);
double brannoc_display_interval_ms();
int brannoc_next_page_event(int timeoutMs);
void brannoc_message_box(const char* text, const char* caption, int error);
void brannoc_sound_started(int resourceId);
void brannoc_activated(int active);
void brannoc_end_with_main();
}
