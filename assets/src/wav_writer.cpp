#include "wav_writer.h"

#include <string>

namespace assetgen {

static void putId(Bytes& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(id[i]));
}

Bytes encodeWav(int sampleRate, const Bytes& samples, bool withInfoList) {
    Bytes out;
    putId(out, "RIFF");
    putLe32(out, 0); // patched below
    putId(out, "WAVE");

    putId(out, "fmt ");
    putLe32(out, 16);
    putLe16(out, 1); // PCM
    putLe16(out, 1); // mono
    putLe32(out, static_cast<std::uint32_t>(sampleRate));
    putLe32(out, static_cast<std::uint32_t>(sampleRate)); // one byte per sample
    putLe16(out, 1);
    putLe16(out, 8);

    putId(out, "data");
    putLe32(out, static_cast<std::uint32_t>(samples.size()));
    out.insert(out.end(), samples.begin(), samples.end());
    if (samples.size() % 2) out.push_back(0x80);

    if (withInfoList) {
        std::string software = "brannoc_assetgen";
        software.push_back('\0');
        if (software.size() % 2) software.push_back('\0');
        putId(out, "LIST");
        putLe32(out, static_cast<std::uint32_t>(4 + 8 + software.size()));
        putId(out, "INFO");
        putId(out, "ISFT");
        putLe32(out, static_cast<std::uint32_t>(software.size()));
        out.insert(out.end(), software.begin(), software.end());
    }

    const auto riffLength = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<std::uint8_t>((riffLength >> (8 * i)) & 255);
    return out;
}

} // namespace assetgen
