#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "special_files.h"

SpecialFiles::SpecialFiles(const std::string& folder) {
    const std::string fifo = folder + "/fifo.bmp";
    if (::mkfifo(fifo.c_str(), 0600) == 0) paths.push_back(fifo);
}

SpecialFiles::~SpecialFiles() {
    for (const std::string& path : paths) ::unlink(path.c_str());
}

void SpecialFiles::release() {
    // A writer lets the open go.
    for (const std::string& path : paths) ::close(::open(path.c_str(), O_WRONLY | O_NONBLOCK));
}
