// One palette for the whole pub, lit from the upper left.
#pragma once

#include "image.h"

namespace assetgen::pal {

constexpr Rgb kGreenKey = rgb(0, 255, 0);
constexpr Rgb kBlackKey = rgb(0, 0, 0);
constexpr Rgb kLogoKey = rgb(17, 196, 255);

// Wood, from dark to light.
constexpr Rgb wood0 = rgb(44, 22, 12);
constexpr Rgb wood1 = rgb(72, 38, 20);
constexpr Rgb wood2 = rgb(104, 56, 28);
constexpr Rgb wood3 = rgb(140, 80, 38);
constexpr Rgb wood4 = rgb(178, 108, 52);
constexpr Rgb wood5 = rgb(214, 144, 76);
constexpr Rgb wood6 = rgb(240, 186, 112);

// Back wall.
constexpr Rgb wall0 = rgb(26, 16, 14);
constexpr Rgb wall1 = rgb(40, 25, 21);
constexpr Rgb wall2 = rgb(54, 34, 28);
constexpr Rgb wall3 = rgb(70, 45, 36);

// Metal and glass.
constexpr Rgb brass0 = rgb(120, 84, 24);
constexpr Rgb brass1 = rgb(186, 138, 44);
constexpr Rgb brass2 = rgb(236, 196, 92);
constexpr Rgb brass3 = rgb(255, 238, 170);
constexpr Rgb glass0 = rgb(120, 150, 160);
constexpr Rgb glass1 = rgb(176, 206, 214);
constexpr Rgb glass2 = rgb(228, 244, 248);

// Beer.
constexpr Rgb beer0 = rgb(150, 74, 10);
constexpr Rgb beer1 = rgb(204, 118, 18);
constexpr Rgb beer2 = rgb(240, 168, 40);
constexpr Rgb beer3 = rgb(255, 208, 96);
constexpr Rgb foam0 = rgb(214, 204, 182);
constexpr Rgb foam1 = rgb(250, 246, 232);

// Lamp light.
constexpr Rgb lamp0 = rgb(255, 200, 110);
constexpr Rgb lamp1 = rgb(255, 236, 180);

// Cloth and people.
constexpr Rgb outline = rgb(34, 20, 18);
constexpr Rgb white0 = rgb(200, 196, 190);
constexpr Rgb white1 = rgb(244, 240, 232);
constexpr Rgb black0 = rgb(46, 40, 52);
constexpr Rgb black1 = rgb(70, 64, 80);
constexpr Rgb red0 = rgb(130, 26, 30);
constexpr Rgb red1 = rgb(190, 44, 44);
constexpr Rgb red2 = rgb(232, 88, 72);
constexpr Rgb blue0 = rgb(34, 56, 120);
constexpr Rgb blue1 = rgb(56, 92, 176);
constexpr Rgb blue2 = rgb(104, 140, 220);
constexpr Rgb olive0 = rgb(70, 86, 40);
constexpr Rgb olive1 = rgb(104, 124, 56);
constexpr Rgb purple0 = rgb(84, 40, 104);
constexpr Rgb purple1 = rgb(130, 66, 150);
constexpr Rgb grey0 = rgb(84, 86, 96);
constexpr Rgb grey1 = rgb(124, 126, 136);
constexpr Rgb grey2 = rgb(168, 170, 178);

} // namespace assetgen::pal
