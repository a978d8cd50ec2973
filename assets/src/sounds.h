// The game's recordings, synthesised: 8-bit unsigned mono PCM centred on 128.
#pragma once

#include "bmp_writer.h"

namespace assetgen {

struct Recording {
    int id;
    int rate;
    int samples;   // exact data byte count
    bool infoList; // ends with a LIST/INFO chunk
};

constexpr Recording kSounds[] = {
    {121, 11025, 3445, true},   {122, 11025, 2912, false}, {123, 11025, 10566, true}, {124, 11025, 2035, false},
    {125, 11025, 522, false},   {126, 44100, 44567, true}, {128, 44100, 25281, true}, {129, 44100, 29954, true},
    {130, 44100, 45834, false}, {131, 22050, 8465, true},
};

// The samples of one recording, exactly rec.samples long.
Bytes synthesize(const Recording& rec);

} // namespace assetgen
