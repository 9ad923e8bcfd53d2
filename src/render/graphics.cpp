// The asset set: loads every image of the game into its sprite slot, in a fixed order.
#include "render/graphics.h"

#include <cstdio>
#include <cstdlib>

#include "app/log.h"
#include "render/texture.h"
#include "render/tga.h"

namespace {

// Slot order matters: with every file present the images fill slots 0 to 48.
void loadSeries(Graphics& g, Sprite** fields, int count, int first, const char* pattern,
                bool makeTint) {
    for (int i = 0; i < count; ++i) {
        char path[64];
        std::snprintf(path, sizeof path, pattern, first + i);
        fields[i] = g.loadSprite(path, makeTint);
    }
}

void releaseTexture(Texture*& texture) {
    if (!texture) return;
    texture->release();
    delete texture;
    texture = nullptr;
}

} // namespace

Graphics::Graphics(bool uploadTextures) : uploadTextures_(uploadTextures) {
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
    colorCycle = 0;
    for (Sprite& s : sprites)
        s.loaded = 0;

    loadSeries(*this, digitImages, 10, 0, "data/n%i.tga", false);
    loadSeries(*this, titleGlyphs, 5, 1, "data/orvane_%i.tga", true);
    logoImage = loadSprite("data/vantrel.tga", false);
    gameOverImage = loadSprite("data/gameover.tga", false);
    hiImage = loadSprite("data/hi.tga", false);
    loadSeries(*this, shipImages, 2, 1, "data/ship%i.tga", true);
    loadSeries(*this, shotImages, 8, 0, "data/shot%i.tga", false);
    playerShotImage = loadSprite("data/pshot.tga", false);
    loadSeries(*this, orbImages, 8, 0, "data/orb%i.tga", true);
    linkImage = loadSprite("data/link.tga", true);
    loadSeries(*this, explosionImages, 4, 1, "data/exp%i.tga", false);
    loadSeries(*this, enemyImages, 2, 1, "data/enemy%i.tga", true);
    enemyShotImage = loadSprite("data/eshot.tga", true);
    loadSeries(*this, tileImages, 4, 1, "data/tile%i.tga", false);
}

Graphics::~Graphics() {
    logLine("delete Graphics");
    for (Sprite& s : sprites) {
        if (!s.loaded) continue;
        std::free(s.pixels);
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
