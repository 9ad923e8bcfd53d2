// orvane_assetgen: writes the game's pictures and sounds from the sources under assets/.
#include "asset_generator.h"
#include "loudness.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: orvane_assetgen [--assets DIR] [--sheet FILE.png] [--icons DIR] "
                 "[DATA_DIR]\n"
                 "  DATA_DIR         write DATA_DIR/*.tga and DATA_DIR/sfx/*.wav\n"
                 "  --sheet FILE.png write a contact sheet of every picture\n"
                 "  --icons DIR      write the program's icon as DIR/NxN/apps/*.png\n"
                 "  --levels         print each sound's A-weighted level as the game plays it\n"
                 "  --assets DIR     read the sources from DIR (default %s)\n",
                 ORVANE_ASSETS_DIR);
}

struct Options {
    std::string assets = ORVANE_ASSETS_DIR;
    std::string sheet;
    std::string icons;
    std::string data;
    bool levels = false;
};

// 0 when the options are good, otherwise the exit status.
int parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--help") == 0) {
            usage(stdout);
            return -1;
        } else if (std::strcmp(argv[i], "--assets") == 0 && hasValue) {
            options.assets = argv[++i];
        } else if (std::strcmp(argv[i], "--sheet") == 0 && hasValue) {
            options.sheet = argv[++i];
        } else if (std::strcmp(argv[i], "--icons") == 0 && hasValue) {
            options.icons = argv[++i];
        } else if (std::strcmp(argv[i], "--levels") == 0) {
            options.levels = true;
        } else if (argv[i][0] != '-' && options.data.empty()) {
            options.data = argv[i];
        } else {
            std::fprintf(stderr, "orvane_assetgen: bad argument \"%s\"\n", argv[i]);
            return 2;
        }
    }
    if (options.data.empty() && options.sheet.empty() && options.icons.empty() && !options.levels) {
        usage(stderr);
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    const int status = parse(argc, argv, options);
    if (status != 0) {
        return status < 0 ? 0 : status;
    }
    assetgen::AssetGenerator generator(options.assets);
    std::string error;
    bool ok = generator.build(error);
    ok = ok && (options.data.empty() || generator.writeData(options.data, error));
    ok = ok && (options.sheet.empty() || generator.writeSheet(options.sheet, error));
    ok = ok && (options.icons.empty() || generator.writeIcons(options.icons, error));
    if (!ok) {
        std::fprintf(stderr, "orvane_assetgen: %s\n", error.c_str());
        return 1;
    }
    if (options.levels) std::fputs(assetgen::Loudness::table(generator.sounds()).c_str(), stdout);
    return 0;
}
