// brannoc_assetgen [output dir]: renders every picture, recording and the icon of the game, and
// the icon at the sizes of the desktop's menus and at those phones ask of a web page.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "bmp_writer.h"
#include "pictures.h"
#include "png_writer.h"
#include "resource_source.h"
#include "sounds.h"
#include "wav_writer.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

constexpr int kDesktopIconSizes[] = {16, 32, 48, 64, 128, 256};
// A phone's home screen (180 on an iPhone) and an installed web app's icon and splash.
constexpr int kWebIconSizes[] = {180, 192, 512};

bool writeFile(const fs::path& path, const void* data, std::size_t size) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    f.close();
    if (!f) std::cerr << "brannoc_assetgen: cannot write " << path << '\n';
    return static_cast<bool>(f);
}

bool writeBytes(const fs::path& path, const Bytes& bytes) { return writeFile(path, bytes.data(), bytes.size()); }

} // namespace

int main(int argc, char** argv) {
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::path(".");
    std::error_code ec;
    fs::create_directories(root / "bmps", ec);
    fs::create_directories(root / "resources", ec);

    const Image floor = drawFloor();
    const Image bartender = drawBartender();
    const Image beer = drawBeer();
    const Image customers = drawCustomers();
    const Image sign = drawTitleSign();
    const Image explosions = drawExplosions();
    const Image fires = drawFires();
    const Image logo = drawLogo();
    const Image icon = drawIcon();

    bool ok = true;
    const fs::path bmps = root / "bmps";
    ok &= writeBytes(bmps / "floor.bmp", encodeBmp24(floor));
    ok &= writeBytes(bmps / "bartender.bmp", encodeBmp24(bartender));
    ok &= writeBytes(bmps / "beer.bmp", encodeBmp24(beer));
    ok &= writeBytes(bmps / "drunk.bmp", encodeBmp24(customers));
    ok &= writeBytes(bmps / "klosed.bmp", encodeBmp24(sign));
    ok &= writeBytes(bmps / "explosion.bmp", encodeBmp24(explosions));
    ok &= writeBytes(bmps / "fire.bmp", encodeBmp24(fires));
    ok &= writeBytes(bmps / "vantor.bmp", encodeBmp24(logo));

    std::vector<Resource> resources;
    for (const Recording& rec : kSounds) {
        Bytes wav = encodeWav(rec.rate, synthesize(rec), rec.infoList);
        ok &= writeBytes(root / "resources" / (std::to_string(rec.id) + ".wav"), wav);
        resources.push_back({"WAVE", rec.id, std::move(wav)});
    }
    Bytes iconFile = encodeBmp8(icon);
    ok &= writeBytes(root / "resources" / "133.bmp", iconFile);
    resources.push_back({"ICON", 133, std::move(iconFile)});
    const std::string table = resourceTableSource(resources);
    ok &= writeFile(root / "resources" / "resource_table.cpp", table.data(), table.size());

    for (int size : kDesktopIconSizes) {
        const std::string square = std::to_string(size) + "x" + std::to_string(size);
        const fs::path folder = root / "icons" / "hicolor" / square / "apps";
        fs::create_directories(folder, ec);
        const Bytes png = encodePng(drawIcon(size));
        ok &= !png.empty() && writeBytes(folder / "brannoc.png", png);
    }

    fs::create_directories(root / "web-icons", ec);
    for (int size : kWebIconSizes) {
        const Bytes png = encodePng(drawIcon(size));
        ok &= !png.empty() && writeBytes(root / "web-icons" / ("icon-" + std::to_string(size) + ".png"), png);
    }

    ok &= writeBytes(root / "contact_sheet.bmp", encodeBmp24(drawContactSheet(floor, bartender, beer, customers, sign,
                                                                              explosions, fires, logo, icon)));
    return ok ? 0 : 1;
}
