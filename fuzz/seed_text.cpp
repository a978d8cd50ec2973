// Writes the seeds kept as text out as files: seed_text <out-dir> <seeds.txt>
// One input a line in hex; empty lines and lines starting with '#' are skipped.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

int nibble(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: seed_text <out-dir> <seeds.txt>\n");
        return 2;
    }
    std::ifstream in(argv[2]);
    if (!in) {
        std::fprintf(stderr, "seed_text: cannot read %s\n", argv[2]);
        return 1;
    }
    std::string line;
    int lineNumber = 0;
    int written = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<char> bytes;
        for (std::size_t i = 0; i + 1 < line.size(); i += 2) {
            const int high = nibble(line[i]);
            const int low = nibble(line[i + 1]);
            if (high < 0 || low < 0) {
                break;
            }
            bytes.push_back(static_cast<char>(high * 16 + low));
        }
        if (bytes.size() * 2 != line.size()) {
            std::fprintf(stderr, "seed_text: %s:%d is not hex\n", argv[2], lineNumber);
            return 1;
        }
        const std::string path = std::string(argv[1]) + "/kept-" + std::to_string(written++);
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return 0;
}
