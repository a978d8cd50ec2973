// Regular files as the readers take them: what is not one is refused, and a file being read stays
// another program's to write over or delete, as on the desktop.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "files/special_files.h"
#include "platform/files/regular_file.h"
#include "temp_dir.h"

namespace {

using platform::files::FileStamp;
using platform::files::RegularFile;

void write(const std::string& path, const std::string& text) {
    std::ofstream(utf8Path(path), std::ios::binary | std::ios::trunc) << text;
}

class RegularFiles : public testing::Test {
protected:
    TempDir folder{"Dateien für Ωmega "};
};

TEST_F(RegularFiles, WhatIsNotARegularFileIsNotOpen) {
    SpecialFiles special(folder.path);
    ASSERT_FALSE(special.paths.empty());
    for (const std::string& path : special.paths) {
        EXPECT_FALSE(RegularFile(path).isOpen()) << path;
    }
    std::filesystem::create_directory(utf8Path(folder.file("folder")));
    EXPECT_FALSE(RegularFile(folder.file("folder")).isOpen());
    EXPECT_FALSE(RegularFile(folder.file("absent")).isOpen());
}

TEST_F(RegularFiles, AFileBeingReadMayBeWrittenOverOrDeleted) {
    const std::string path = folder.file("bar 1.bmp");
    write(path, "first");
    RegularFile open(path);
    ASSERT_TRUE(open.isOpen());
    EXPECT_EQ(open.stamp().size, 5u);

    // Written over in place: the open file tells it changed.
    std::ofstream over(utf8Path(path), std::ios::binary | std::ios::trunc);
    EXPECT_TRUE(over.is_open()) << "written over while open";
    over << "second";
    over.close();
    FileStamp now;
    ASSERT_TRUE(open.stampNow(now));
    EXPECT_EQ(now.size, 6u);
    std::error_code error;
    EXPECT_TRUE(std::filesystem::remove(utf8Path(path), error)) << "deleted while open: " << error.message();
}

} // namespace
