// Writes the bars' table as JSON, by its fields' names, for the tests that look for the bartender
// and the mugs in a shown picture from outside C++: they read the table this build was made with.
#include <cstdio>

#include "game/bars.h"

int main() {
    std::printf("[\n");
    for (int i = 0; i < 3; ++i) {
        const BarLayout& bar = barLayouts[i];
        std::printf("  {\"lane\": %d, \"doorEdge\": %d, \"arrivalLimit\": %d, \"mugY\": %d, \"farLimit\": %d, "
                    "\"catchLimit\": %d, \"breakLimit\": %d, \"pourX\": %d, \"baseX\": %d, \"baseY\": %d}%s\n",
                    bar.lane, bar.doorEdge, bar.arrivalLimit, bar.mugY, bar.farLimit, bar.catchLimit, bar.breakLimit,
                    bar.pourX, bar.baseX, bar.baseY, i < 2 ? "," : "");
    }
    std::printf("]\n");
}
