// The 49 pictures in the order the game loads them, and the ten sounds.
#include "asset_list.h"

namespace assetgen {

namespace {

std::vector<PictureEntry> makePictures() {
    std::vector<PictureEntry> list;
    const auto add = [&list](const std::string& name, bool tinted) {
        list.push_back({name, tinted});
    };
    for (int i = 0; i < 10; ++i) {
        add("n" + std::to_string(i), false);
    }
    for (int i = 1; i <= 5; ++i) {
        add("orvane_" + std::to_string(i), true);
    }
    add("vantrel", false);
    add("gameover", false);
    add("hi", false);
    add("ship1", true);
    add("ship2", true);
    for (int i = 0; i < 8; ++i) {
        add("shot" + std::to_string(i), false);
    }
    add("pshot", false);
    for (int i = 0; i < 8; ++i) {
        add("orb" + std::to_string(i), true);
    }
    add("link", true);
    for (int i = 1; i <= 4; ++i) {
        add("exp" + std::to_string(i), false);
    }
    add("enemy1", true);
    add("enemy2", true);
    add("eshot", true);
    for (int i = 1; i <= 4; ++i) {
        add("tile" + std::to_string(i), false);
    }
    return list;
}

} // namespace

const std::vector<PictureEntry>& AssetList::pictures() {
    static const std::vector<PictureEntry> list = makePictures();
    return list;
}

const std::vector<std::string>& AssetList::sounds() {
    static const std::vector<std::string> list{"ambient", "pshot", "eshot", "boom", "crash",
                                               "ehit",    "die",   "level", "lock", "orbhit"};
    return list;
}

} // namespace assetgen
