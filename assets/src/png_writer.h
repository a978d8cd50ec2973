// PNG files, for the icons that the desktop shows.
#pragma once

#include "bmp_writer.h"
#include "image.h"

namespace assetgen {

// An opaque RGB picture; empty when cairo cannot encode it.
Bytes encodePng(const Image& img);

} // namespace assetgen
