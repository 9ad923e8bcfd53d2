// Reading all sources first means a broken one leaves the data folder untouched.
#include "asset_generator.h"

#include "asset_list.h"
#include "contact_sheet.h"
#include "font_source.h"
#include "palette.h"
#include "picture_library.h"
#include "png_writer.h"
#include "sound_recipe.h"
#include "synth.h"
#include "tga_writer.h"
#include "wav_writer.h"

#include <filesystem>
#include <utility>

namespace assetgen {

AssetGenerator::AssetGenerator(std::string assetsDir) : assetsDir_(std::move(assetsDir)) {}

bool AssetGenerator::build(std::string& error) {
    Palette palette;
    if (!palette.load(assetsDir_ + "/images/palette.txt", error)) {
        return false;
    }
    PictureLibrary icons(assetsDir_ + "/icon", palette);
    if (!icons.get("orvane", icon_, error)) {
        return false;
    }
    PictureLibrary library(assetsDir_ + "/images", palette);
    for (const PictureEntry& entry : AssetList::pictures()) {
        Image picture;
        if (!library.get(entry.name, picture, error)) {
            return false;
        }
        pictures_[entry.name] = picture;
    }
    FontSource font;
    if (!font.load(assetsDir_ + "/font/font.txt", error)) {
        return false;
    }
    pictures_["font"] = font.sheet();
    for (const std::string& name : AssetList::sounds()) {
        SoundRecipe recipe;
        if (!recipe.load(assetsDir_ + "/sounds/" + name + ".txt", error)) {
            return false;
        }
        sounds_[name] = Synth::render(recipe);
    }
    return true;
}

bool AssetGenerator::writeData(const std::string& dir, std::string& error) const {
    std::error_code ec;
    std::filesystem::create_directories(dir + "/sfx", ec);
    if (ec) {
        error = "cannot create " + dir + "/sfx";
        return false;
    }
    for (const auto& [name, picture] : pictures_) {
        if (!TgaWriter::save(picture, dir + "/" + name + ".tga")) {
            error = "cannot write " + dir + "/" + name + ".tga";
            return false;
        }
    }
    for (const auto& [name, samples] : sounds_) {
        if (!WavWriter::save(samples, dir + "/sfx/" + name + ".wav")) {
            error = "cannot write " + dir + "/sfx/" + name + ".wav";
            return false;
        }
    }
    return true;
}

bool AssetGenerator::writeIcons(const std::string& dir, std::string& error) const {
    for (int size : kIconSizes) {
        const std::string folder =
            dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        Image icon(size, size);
        ContactSheet::blit(icon, icon_, 0, 0, size / icon_.width());
        const std::string path = folder + "/" + kIconName + ".png";
        if (ec || !PngWriter::save(icon, path, true)) {
            error = "cannot write " + path;
            return false;
        }
    }
    return true;
}

bool AssetGenerator::writeSheet(const std::string& path, std::string& error) const {
    if (!ContactSheet::save(pictures_, path)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace assetgen
