// The pictures match the layouts the game draws from, and keyed ones have clean edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "asset_files.h"

using namespace assets_test;

namespace {

const Rgb kGreen{0, 255, 0}, kBlack{0, 0, 0}, kLogoKey{17, 196, 255};

struct Rect {
    int l, t, r, b;
};

// Every pixel is the key or far from it: no halo left by smoothing.
void expectNoFringe(const Picture& p, Rgb key) {
    int fringe = 0;
    for (const Rgb& c : p.pixels) fringe += !(c == key) && distance(c, key) < 48;
    EXPECT_EQ(fringe, 0);
}

// Real content inside the rectangle and key at its top corners (so the blit is see-through).
void expectSprite(const Picture& p, Rect r, Rgb key, double minShare = 0.15) {
    SCOPED_TRACE(testing::Message() << r.l << "," << r.t << "," << r.r << "," << r.b);
    ASSERT_LE(r.r, p.width);
    ASSERT_LE(r.b, p.height);
    EXPECT_GT(p.inked(r.l, r.t, r.r, r.b, key), minShare * (r.r - r.l) * (r.b - r.t));
    EXPECT_EQ(p.at(r.l, r.t), key);
    EXPECT_EQ(p.at(r.r - 1, r.t), key);
}

void expectWellFormed(const Picture& p, int minW, int minH) {
    EXPECT_EQ(p.bits, 24);
    EXPECT_EQ(p.compression, 0);
    EXPECT_EQ(p.fileSize, p.expectedSize);
    EXPECT_GE(p.width, minW);
    EXPECT_GE(p.height, minH);
    ASSERT_FALSE(p.pixels.empty());
}

} // namespace

TEST(Pictures, FloorIsTheWholeScreenWithACalmCornerForTheScore) {
    const Picture p = readBmp("bmps/floor.bmp");
    expectWellFormed(p, 800, 600);
    EXPECT_EQ(p.width, 800);
    EXPECT_EQ(p.height, 600);
    std::set<int> colours;
    for (int y = 10; y < 140; ++y)
        for (int x = 715; x < 790; ++x) colours.insert(p.at(x, y).r << 16 | p.at(x, y).g << 8 | p.at(x, y).b);
    EXPECT_LE(colours.size(), 3u);
    // The doors stand right of the door edges: the counters' fronts end there.
    const int doors[3] = {641, 673, 710}, fronts[3] = {169, 324, 489};
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(p.at(doors[i] - 1, fronts[i]) == p.at(doors[i] + 10, fronts[i]));
}

TEST(Pictures, BartenderPosesSitInTheirRectangles) {
    const Picture p = readBmp("bmps/bartender.bmp");
    expectWellFormed(p, 251, 126);
    expectNoFringe(p, kGreen);
    for (Rect r : {Rect{0, 0, 65, 126}, Rect{70, 0, 132, 123}, Rect{134, 0, 185, 125}, Rect{186, 0, 251, 125}})
        expectSprite(p, r, kGreen, 0.25);
    // Nothing spills into the gaps between poses.
    EXPECT_EQ(p.inked(65, 0, 70, 126, kGreen), 0);
    EXPECT_EQ(p.inked(132, 0, 134, 126, kGreen), 0);
}

TEST(Pictures, MugsAndBrokenMugsSitInTheirRectangles) {
    const Picture p = readBmp("bmps/beer.bmp");
    expectWellFormed(p, 133, 111);
    expectNoFringe(p, kGreen);
    for (Rect r : {Rect{0, 0, 40, 52}, Rect{36, 0, 81, 48}, Rect{0, 54, 59, 104}, Rect{55, 55, 133, 111}})
        expectSprite(p, r, kGreen);
    // The full and empty mug rectangles overlap: the shared columns stay clear.
    EXPECT_EQ(p.inked(36, 0, 40, 52, kGreen), 0);
    EXPECT_EQ(p.inked(55, 55, 59, 104, kGreen), 0);
}

TEST(Pictures, SixCustomersWalkingAndDrinkingInTheirBands) {
    const Picture p = readBmp("bmps/drunk.bmp");
    expectWellFormed(p, 98, 440);
    expectNoFringe(p, kGreen);
    const int tops[6] = {0, 68, 134, 206, 272, 344};
    const int bottoms[6] = {68, 131, 205, 270, 340, 440};
    std::set<int> mainColours;
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        expectSprite(p, {0, tops[i], 41, bottoms[i]}, kGreen, 0.3);
        expectSprite(p, {42, tops[i], 98, i == 0 ? 66 : bottoms[i]}, kGreen, 0.3);
        // Drawn alone while he waits behind the door: must be invisible.
        EXPECT_EQ(p.inked(0, tops[i], 1, bottoms[i], kGreen), 0);
        // Told apart at a glance: each has his own main colour.
        std::map<int, int> counts;
        for (int y = tops[i]; y < bottoms[i]; ++y)
            for (int x = 1; x < 41; ++x) {
                const Rgb c = p.at(x, y);
                if (!(c == kGreen) && distance(c, kBlack) > 60) ++counts[c.r << 16 | c.g << 8 | c.b];
            }
        mainColours.insert(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                               return a.second < b.second;
                           })->first);
    }
    EXPECT_EQ(mainColours.size(), 6u);
    for (auto [from, to] : {std::pair{131, 134}, {205, 206}, {270, 272}, {340, 344}})
        EXPECT_EQ(p.inked(0, from, 100, to, kGreen), 0);
}

TEST(Pictures, TitleSignTypedLineAndCursor) {
    const Picture p = readBmp("bmps/klosed.bmp");
    expectWellFormed(p, 760, 162);
    expectNoFringe(p, kBlack);
    EXPECT_GT(p.inked(0, 0, 760, 106, kBlack), 760 * 106 / 5);
    // The sign is revealed from the left in steps: every step shows something.
    for (int x : {95, 173, 247, 291, 370, 448, 538}) EXPECT_GT(p.inked(x - 40, 0, x, 106, kBlack), 200) << x;
    const std::string line = "PULL UP A STOOL...";
    for (int i = 0; i < 18; ++i) {
        const int inked = p.inked(i * 13, 118, i * 13 + 13, 142, kBlack);
        if (line[i] == ' ') {
            EXPECT_EQ(inked, 0) << i;
        } else {
            EXPECT_GT(inked, 8) << i;
        }
    }
    EXPECT_GT(p.inked(0, 142, 13, 162, kBlack), 100);
}

TEST(Pictures, ExplosionGrowsAndFades) {
    const Picture p = readBmp("bmps/explosion.bmp");
    expectWellFormed(p, 2000, 135);
    expectNoFringe(p, kBlack);
    auto brightness = [&](int k) {
        long sum = 0, n = 0;
        for (int y = 0; y < 135; ++y)
            for (int x = 182 * k; x < 182 * k + 180; ++x)
                if (!(p.at(x, y) == kBlack)) {
                    sum += p.at(x, y).r + p.at(x, y).g + p.at(x, y).b;
                    ++n;
                }
        return n ? static_cast<double>(sum) / n : 0.0;
    };
    int previous = 0;
    for (int k = 1; k <= 10; ++k) {
        const int size = p.inked(182 * k, 0, 182 * k + 180, 135, kBlack);
        EXPECT_GT(size, 300) << k;
        if (k <= 7) {
            EXPECT_GT(size, previous) << k;
        }
        previous = size;
        if (k < 10) {
            EXPECT_EQ(p.inked(182 * k + 180, 0, 182 * k + 182, 135, kBlack), 0) << k;
        }
    }
    EXPECT_LT(brightness(10), brightness(1) * 0.8);
}

TEST(Pictures, FireLoopsWithoutASeam) {
    const Picture p = readBmp("bmps/fire.bmp");
    expectWellFormed(p, 1022, 53);
    expectNoFringe(p, kBlack);
    auto change = [&](int a, int b) {
        int n = 0;
        for (int y = 0; y < 53; ++y)
            for (int x = 0; x < 30; ++x) n += !(p.at(31 * a + x, y) == p.at(31 * b + x, y));
        return n;
    };
    int largestStep = 0;
    for (int f = 0; f < 33; ++f) {
        EXPECT_GT(p.inked(31 * f, 0, 31 * f + 30, 53, kBlack), 200) << f;
        if (f < 32) largestStep = std::max(largestStep, change(f, f + 1));
    }
    EXPECT_GT(largestStep, 0);
    EXPECT_LE(change(32, 0), largestStep); // the wrap is no bigger a jump than any other step
}

TEST(Pictures, LogoFitsThePanelOnItsKey) {
    const Picture p = readBmp("bmps/vantor.bmp");
    expectWellFormed(p, 1, 1);
    expectNoFringe(p, kLogoKey);
    EXPECT_LE(p.width, 500);
    EXPECT_LE(p.height, 345);
    expectSprite(p, {0, 0, p.width, p.height}, kLogoKey, 0.5);
    EXPECT_EQ(p.at(p.width - 1, p.height - 1), kLogoKey);
}
