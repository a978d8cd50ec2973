// Writes the C++ source that compiles the recordings and the icon into the game.
#pragma once

#include <string>
#include <vector>

#include "bmp_writer.h"

namespace assetgen {

struct Resource {
    std::string type; // "WAVE" or "ICON"
    int id;
    Bytes bytes;
};

std::string resourceTableSource(const std::vector<Resource>& resources);

} // namespace assetgen
