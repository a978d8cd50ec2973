// What the presenter puts on a screen, read back from the software renderer's window surface.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/desktop/sdl_presenter.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// Columns alternately black and white: every picture pixel's edge shows.
std::vector<std::uint32_t> stripes() {
    std::vector<std::uint32_t> picture(800 * 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) picture[static_cast<std::size_t>(y * 800 + x)] = (x % 2 != 0) ? kWhite : 0;
    return picture;
}

// One row of the screen after showing the stripes on a window of that size.
std::vector<std::uint32_t> shownRow(int width, int height, int row) {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("presenter", 0, 0, width, height, SDL_WINDOW_HIDDEN);
    std::vector<std::uint32_t> shown;
    {
        platform::SdlPresenter presenter;
        presenter.attach(window, SDL_RENDERER_SOFTWARE);
        const std::vector<std::uint32_t> picture = stripes();
        EXPECT_TRUE(presenter.show(picture.data(), 800, 600, 800 * 4));
        SDL_Surface* screen = SDL_GetWindowSurface(window);
        EXPECT_NE(screen, nullptr);
        if (screen != nullptr) {
            for (int x = 0; x < width; ++x) {
                Uint8 r = 0, g = 0, b = 0;
                const auto* line = static_cast<const std::uint8_t*>(screen->pixels) + row * screen->pitch;
                SDL_GetRGB(*reinterpret_cast<const Uint32*>(line + x * 4), screen->format, &r, &g, &b);
                shown.push_back((std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b);
            }
        }
    }
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return shown;
}

TEST(Presenter, AWholeFactorIsNearestAlone) {
    const std::vector<std::uint32_t> row = shownRow(1600, 1200, 601);
    ASSERT_EQ(row.size(), 1600u);
    for (int x = 0; x < 1600; ++x) ASSERT_EQ(row[static_cast<std::size_t>(x)], (x / 2) % 2 != 0 ? kWhite : 0u) << x;
}

// 2560 by 1440: the picture at 1920 by 1440 between bars of 320, twice its size by nearest, then
// 1.2 times by linear. Every picture pixel keeps columns of its own pure colour, and its edges
// are blended, not stepped.
TEST(Presenter, TheRestOfTheWayIsLinearAfterTheWholeFactor) {
    const std::vector<std::uint32_t> row = shownRow(2560, 1440, 720);
    ASSERT_EQ(row.size(), 2560u);
    for (int x = 0; x < 320; ++x) {
        ASSERT_EQ(row[static_cast<std::size_t>(x)], 0u) << x;
        ASSERT_EQ(row[static_cast<std::size_t>(2559 - x)], 0u) << 2559 - x;
    }
    int pureRuns = 0;
    int blended = 0;
    int widest = 0;
    int run = 0;
    std::uint32_t last = 0x1000000; // none yet
    for (int x = 320; x < 2240; ++x) {
        const std::uint32_t c = row[static_cast<std::size_t>(x)];
        if (c != 0 && c != kWhite) {
            ++blended;
            last = 0x1000000;
            continue;
        }
        if (c != last) {
            ++pureRuns;
            run = 0;
        }
        widest = std::max(widest, ++run);
        last = c;
    }
    EXPECT_EQ(pureRuns, 800) << "one pure run for every picture column";
    EXPECT_GT(blended, 0) << "the second step is linear";
    EXPECT_LE(widest, 3) << "no picture column stands out wider than the rest";
}

} // namespace
