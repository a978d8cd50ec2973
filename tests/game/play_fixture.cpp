#include "play_fixture.h"

#include <algorithm>
#include <cstring>

#include "app/globals.h"
#include "game/pub_screen.h"
#include "headless_app.h"
#include "platform/crt.h"
#include "program/run_game.h"

void PlayTest::SetUp() {
    platform::headless::reset(options());
    objects.emplace();
    ASSERT_TRUE(createApplication());
    pubScreen.load();
    crt::srand(7);
}

void PlayTest::TearDown() { objects.reset(); }

platform::HeadlessOptions PlayTest::options() const { return platform::HeadlessOptions{}; }

platform::HeadlessOptions SilentPlayTest::options() const {
    platform::HeadlessOptions silent;
    silent.soundDevice = false;
    return silent;
}

void PlayTest::runFrame() {
    app.clearBackBuffer();
    frameDispatch(SCREEN_PLAY);
}

void PlayTest::runTickedFrame() {
    app.countTick();
    runFrame();
}

void PlayTest::emptyRound() {
    for (Customer& c : pubScreen.customers) {
        c = Customer{};
    }
    for (Mug& m : pubScreen.mugs) {
        m = Mug{};
    }
    lastMug = 0;
    // Past the first frame, so that the frame does not place the round's customers.
    pubScreen.frameCount = 1;
}

void PlayTest::placeCustomer(int i, int bar, int x) {
    const int lanes[] = {85, 234, 400};
    Customer& c = pubScreen.customers[i];
    c = Customer{};
    c.x = x;
    c.y = lanes[bar - 1];
}

int PlayTest::soundsPlayed(int waveId) const {
    const std::vector<int>& log = platform::headless::soundLog();
    return static_cast<int>(std::count(log.begin(), log.end(), waveId));
}

std::vector<std::uint32_t> backBufferPixels() {
    IDirectDrawSurface* back = app.display.backBuffer;
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    std::vector<std::uint32_t> pixels;
    if (back->Lock(nullptr, &desc, 0, nullptr) != DD_OK) {
        ADD_FAILURE() << "the back buffer does not lock";
        return pixels;
    }
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);
    pixels.resize(static_cast<std::size_t>(desc.dwWidth) * desc.dwHeight);
    const auto* bytes = static_cast<const unsigned char*>(desc.lpSurface);
    for (DWORD y = 0; y < desc.dwHeight; ++y) {
        std::memcpy(&pixels[y * desc.dwWidth], bytes + static_cast<std::ptrdiff_t>(y) * desc.lPitch, desc.dwWidth * 4);
    }
    back->Unlock(nullptr);
    for (std::uint32_t& p : pixels) {
        p &= 0x00FFFFFFu;
    }
    return pixels;
}

void clearBackBuffer() { app.clearBackBuffer(); }

void PlayTest::frameWithKey(int key) {
    platform::headless::setKeyDown(key, true);
    runFrame();
    platform::headless::setKeyDown(key, false);
}

std::vector<std::uint32_t> drawnAlone(const std::function<void()>& draw) {
    clearBackBuffer();
    draw();
    return backBufferPixels();
}

bool allBlack(const std::vector<std::uint32_t>& pixels) {
    return std::all_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p == 0; });
}
