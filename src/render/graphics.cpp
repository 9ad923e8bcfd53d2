// The asset set: loads every image of the game into its sprite slot, in a fixed order.
#include "render/graphics.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/log.h"
#include "render/texture.h"
#include "render/tga.h"

namespace {

// Slot order matters: with every file present the images fill slots 0 to 48.
void loadSeries(Graphics& g, Sprite** fields, int count, int first, const std::string& folder,
                const char* stem, bool makeTint) {
    for (int i = 0; i < count; ++i) {
        const std::string path = folder + "/" + stem + std::to_string(first + i) + ".tga";
        fields[i] = g.loadSprite(path.c_str(), makeTint);
    }
}

Sprite* loadOne(Graphics& g, const std::string& folder, const char* name, bool makeTint) {
    return g.loadSprite((folder + "/" + name + ".tga").c_str(), makeTint);
}

void releaseTexture(Texture*& texture) {
    if (!texture) return;
    texture->release();
    delete texture;
    texture = nullptr;
}

} // namespace

Graphics::Graphics(bool uploadTextures, const std::string& folder)
    : uploadTextures_(uploadTextures) {
    logLine("init Graphics");
    palette[0] = {0.0f, 0.0f, 0.0f};
    palette[1] = {1.0f, 0.0f, 0.0f};
    palette[2] = {1.0f, 1.0f, 0.0f};
    palette[3] = {0.0f, 0.0f, 1.0f};
    palette[4] = {0.0f, 1.0f, 0.0f};
    palette[5] = {1.0f, 0.2f, 0.7f};
    palette[6] = {0.0f, 1.0f, 1.0f};
    palette[7] = {1.0f, 0.0f, 1.0f};
    palette[8] = {1.0f, 1.0f, 1.0f};
    for (Sprite& s : sprites)
        s.loaded = 0;

    loadSeries(*this, digitImages, 10, 0, folder, "n", false);
    loadSeries(*this, titleGlyphs, 5, 1, folder, "orvane_", true);
    logoImage = loadOne(*this, folder, "vantrel", false);
    gameOverImage = loadOne(*this, folder, "gameover", false);
    hiImage = loadOne(*this, folder, "hi", false);
    loadSeries(*this, shipImages, 2, 1, folder, "ship", true);
    loadSeries(*this, shotImages, 8, 0, folder, "shot", false);
    playerShotImage = loadOne(*this, folder, "pshot", false);
    loadSeries(*this, orbImages, 8, 0, folder, "orb", true);
    linkImage = loadOne(*this, folder, "link", true);
    loadSeries(*this, explosionImages, 4, 1, folder, "exp", false);
    loadSeries(*this, enemyImages, 2, 1, folder, "enemy", true);
    enemyShotImage = loadOne(*this, folder, "eshot", true);
    loadSeries(*this, tileImages, 4, 1, folder, "tile", false);
}

Graphics::~Graphics() {
    logLine("delete Graphics");
    for (Sprite& s : sprites) {
        if (!s.loaded) continue;
        delete[] s.pixels;
        s.pixels = nullptr;
        releaseTexture(s.texture);
        releaseTexture(s.tintTexture);
        s.loaded = 0;
    }
}

Sprite* Graphics::loadSprite(const char* path, bool makeTint) {
    for (Sprite& s : sprites) {
        if (s.loaded) continue;
        logAppend("\nLoading sprite \"%s\"", path);
        if (makeTint) logAppend(" (tint)");
        if (!readTga(s, path, makeTint, uploadTextures_)) {
            logAppend(" - File not found!");
            return &s;
        }
        logAppend(" - ok");
        s.loaded = 1;
        return &s;
    }
    return nullptr;
}
