// RIFF/WAVE files of 8-bit mono PCM: "fmt " first, "data" next, then an optional "LIST".
#pragma once

#include "bmp_writer.h"

namespace assetgen {

Bytes encodeWav(int sampleRate, const Bytes& samples, bool withInfoList);

} // namespace assetgen
