// Cuts small corners out of the generated pictures, so that the bitmap fuzzer starts from seeds
// that it can run through quickly: seed_crop <out-dir> <picture.bmp>...
// Handles the generator's own format: 24-bit BI_RGB, bottom-up, rows padded to four bytes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t word(const Bytes& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

void putWord(Bytes& bytes, std::size_t at, std::uint32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

// The square of side at most `side` whose top-left corner is (left, top) in picture coordinates.
Bytes crop(const Bytes& bmp, int left, int top, int side) {
    const int width = static_cast<int>(word(bmp, 18));
    const int height = static_cast<int>(word(bmp, 22));
    const int cutWidth = std::min(side, width - left);
    const int cutHeight = std::min(side, height - top);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t cutRowBytes = (static_cast<std::size_t>(cutWidth) * 3 + 3) & ~std::size_t{3};
    const std::size_t pixels = word(bmp, 10);
    Bytes out(bmp.begin(), bmp.begin() + 54);
    for (int y = cutHeight - 1; y >= 0; --y) {
        const std::size_t sourceRow = static_cast<std::size_t>(height - 1 - (top + y));
        const auto* from = bmp.data() + pixels + sourceRow * rowBytes + static_cast<std::size_t>(left) * 3;
        out.insert(out.end(), from, from + cutWidth * 3);
        out.resize(out.size() + (cutRowBytes - static_cast<std::size_t>(cutWidth) * 3), 0);
    }
    putWord(out, 2, static_cast<std::uint32_t>(out.size()));
    putWord(out, 10, 54);
    putWord(out, 18, static_cast<std::uint32_t>(cutWidth));
    putWord(out, 22, static_cast<std::uint32_t>(cutHeight));
    putWord(out, 34, static_cast<std::uint32_t>(out.size() - 54));
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: seed_crop <out-dir> <picture.bmp>...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const Bytes bmp((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M' || word(bmp, 14) != 40 ||
            (word(bmp, 28) & 0xFFFF) != 24 || word(bmp, 30) != 0 || static_cast<std::int32_t>(word(bmp, 22)) <= 0 ||
            bmp.size() < word(bmp, 10) + ((word(bmp, 18) * 3 + 3) & ~3u) * word(bmp, 22)) {
            std::fprintf(stderr, "seed_crop: %s is not a plain 24-bit bitmap\n", argv[i]);
            return 1;
        }
        std::string name = argv[i];
        name = name.substr(name.find_last_of('/') + 1);
        name = name.substr(0, name.size() - 4);
        const int width = static_cast<int>(word(bmp, 18));
        const int height = static_cast<int>(word(bmp, 22));
        const int corners[][2] = {{0, 0}, {width / 2, height / 2}};
        int n = 0;
        for (const auto& corner : corners) {
            const Bytes seed = crop(bmp, corner[0], corner[1], 24);
            const std::string path = std::string(argv[1]) + "/" + name + "-" + std::to_string(n++) + ".bmp";
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
        }
    }
    return 0;
}
