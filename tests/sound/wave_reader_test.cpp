// The WAVE reader: chunk order, short formats, padding, and images that lie about their length.
#include <gtest/gtest.h>

#include <ostream>

#include "sound/sound_effect.h"
#include "wave_image.h"

namespace {

// Where the reader found the format and the samples, as offsets into the image; -1 for none.
struct Found {
    bool ok;
    long format;
    long data;
    DWORD size;
    bool operator==(const Found&) const = default;

    friend void PrintTo(const Found& f, std::ostream* os) {
        *os << "{" << (f.ok ? "found" : "failed") << ", format at " << f.format << ", data at " << f.data << ", size "
            << f.size << "}";
    }
};

Found parse(const Bytes& image) {
    WAVEFORMATEX* format = reinterpret_cast<WAVEFORMATEX*>(1);
    const BYTE* data = image.data();
    DWORD size = 99;
    const bool ok = parseWave(image.data(), image.size(), &format, &data, &size);
    const auto offset = [&](const void* p) { return p ? static_cast<const BYTE*>(p) - image.data() : -1L; };
    return {ok, offset(format), offset(data), size};
}

// Nothing found: every out cleared.
const Found kFailed = {false, -1, -1, 0};

TEST(WaveReader, FormatAndDataAreFoundInEitherOrder) {
    EXPECT_EQ(parse(riffImage({{"fmt ", pcmFormat()}, {"data", samples(100)}, {"LIST", samples(9)}})),
              (Found{true, 20, 44, 100}));
    EXPECT_EQ(parse(riffImage({{"data", samples(100)}, {"fmt ", pcmFormat()}})), (Found{true, 128, 20, 100}));
}

TEST(WaveReader, AFirstFormatOfTwelveBytesFailsAndFourteenIsEnough) {
    EXPECT_EQ(parse(riffImage({{"fmt ", pcmFormat(12)}, {"fmt ", pcmFormat()}, {"data", samples(10)}})), kFailed);
    EXPECT_EQ(parse(riffImage({{"fmt ", pcmFormat(14)}, {"data", samples(10)}})), (Found{true, 20, 42, 10}));
    EXPECT_FALSE(parse(riffImage({{"data", samples(10)}, {"fmt ", pcmFormat(14)}})).ok)
        << "the record's last field would lie past the image";
}

TEST(WaveReader, AnOddChunkIsFollowedByItsPadByte) {
    EXPECT_EQ(parse(riffImage({{"data", samples(3445)}, {"fmt ", pcmFormat()}})), (Found{true, 3474, 20, 3445}));
    EXPECT_EQ(parse(riffImage({{"fmt ", pcmFormat()}, {"junk", samples(3)}, {"data", samples(4)}})),
              (Found{true, 20, 56, 4}));
}

TEST(WaveReader, OnlyWhatIsAskedForMustBeThere) {
    const Bytes noFormat = riffImage({{"data", samples(6)}});
    const BYTE* data = nullptr;
    DWORD size = 0;
    EXPECT_TRUE(parseWave(noFormat.data(), noFormat.size(), nullptr, &data, &size));
    EXPECT_EQ(data - noFormat.data(), 20);
    EXPECT_FALSE(parse(noFormat).ok);
    EXPECT_FALSE(parse(riffImage({{"fmt ", pcmFormat()}})).ok);
}

TEST(WaveReader, ForeignImagesFail) {
    Bytes image = riffImage({{"fmt ", pcmFormat()}, {"data", samples(4)}});
    image[8] = 'X';
    EXPECT_EQ(parse(image), kFailed);
    image[8] = 'W';
    image[0] = 'r';
    EXPECT_EQ(parse(image), kFailed);
    EXPECT_EQ(parse(Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V'}), kFailed);
}

TEST(WaveReader, TheWalkEndsAtTheRiffLengthOrTheImagesEnd) {
    const std::vector<Chunk> chunks = {{"fmt ", pcmFormat()}, {"LIST", samples(8)}, {"data", samples(4)}};
    EXPECT_FALSE(parse(riffImage(chunks, 4 + 24 + 16)).ok) << "the data lies past the declared end";
    EXPECT_EQ(parse(riffImage(chunks, 0xFFFFFFF0u)), (Found{true, 20, 60, 4}));
    EXPECT_FALSE(parse(riffImage({chunks[0], chunks[1]}, 0xFFFFFFF0u)).ok);
}

TEST(WaveReader, ChunksRunningOffTheImageStopTheWalk) {
    const Bytes whole = riffImage({{"fmt ", pcmFormat()}, {"data", samples(40)}});
    // Exactly sized copies: a read past one is a read past the image.
    for (std::size_t cut : {13, 30, 40, 44, 83}) {
        EXPECT_FALSE(parse(Bytes(whole.begin(), whole.begin() + static_cast<long>(cut))).ok) << cut;
    }
    Bytes huge = whole;
    huge[43] = 0xFF; // a data length of about 4 GiB
    EXPECT_FALSE(parse(huge).ok);
}

} // namespace
