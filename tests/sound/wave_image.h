// RIFF/WAVE images built in memory, chunk by chunk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

struct Chunk {
    std::string id;
    Bytes data;
};

inline void putWord(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// A PCM mono 8-bit format record of the given length (16 in every real recording).
inline Bytes pcmFormat(std::size_t length = 16) {
    Bytes out = {1, 0, 1, 0};
    putWord(out, 11025);
    putWord(out, 11025);
    out.insert(out.end(), {1, 0, 8, 0});
    out.resize(length, 0);
    return out;
}

inline Bytes samples(std::size_t count) { return Bytes(count, 0x80); }

// Chunks padded to even lengths; the RIFF length is the true one unless given.
inline Bytes riffImage(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riffLength = {}) {
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Chunk& chunk : chunks) {
        body.insert(body.end(), chunk.id.begin(), chunk.id.end());
        putWord(body, static_cast<std::uint32_t>(chunk.data.size()));
        body.insert(body.end(), chunk.data.begin(), chunk.data.end());
        if (chunk.data.size() % 2 != 0) {
            body.push_back(0);
        }
    }
    Bytes out = {'R', 'I', 'F', 'F'};
    putWord(out, riffLength.value_or(static_cast<std::uint32_t>(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}
