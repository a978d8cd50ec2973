// The resources compiled into the executable: WAVE recordings and the window icon.
// The table itself is generated at build time from the files in assets/.
#pragma once

#include <cstddef>

namespace platform {

struct ResourceEntry {
    const char* type;          // "WAVE" or "ICON"
    int id;                    // integer resource id
    const unsigned char* data; // the file's bytes, valid for the life of the process
    std::size_t size;
};

// Defined by the generated source of the brannoc_resources library.
extern const ResourceEntry kResourceTable[];
extern const std::size_t kResourceCount;

} // namespace platform
