// The asset set: load order and slots, missing files, a full table, counters and tear-down.
#include "render/graphics.h"

#include <string>
#include <vector>

#include "render/texture.h"
#include "render/tga.h"
#include "render_support.h"

using namespace render_test;

namespace {

// The 49 file names in load order, with whether each gets a tint variant.
std::vector<std::pair<std::string, bool>> assetList() {
    std::vector<std::pair<std::string, bool>> list;
    auto add = [&](const std::string& name, bool tint) { list.emplace_back(name, tint); };
    for (int i = 0; i < 10; ++i)
        add("n" + std::to_string(i), false);
    for (int i = 1; i <= 5; ++i)
        add("orvane_" + std::to_string(i), true);
    add("vantrel", false);
    add("gameover", false);
    add("hi", false);
    add("ship1", true);
    add("ship2", true);
    for (int i = 0; i < 8; ++i)
        add("shot" + std::to_string(i), false);
    add("pshot", false);
    for (int i = 0; i < 8; ++i)
        add("orb" + std::to_string(i), true);
    add("link", true);
    for (int i = 1; i <= 4; ++i)
        add("exp" + std::to_string(i), false);
    add("enemy1", true);
    add("enemy2", true);
    add("eshot", true);
    for (int i = 1; i <= 4; ++i)
        add("tile" + std::to_string(i), false);
    return list;
}

// Image k of the list is (k + 1) pixels wide, so a slot tells which file it holds.
void writeAssets(const TempDir& dir, const std::vector<std::string>& skip = {}) {
    auto list = assetList();
    for (size_t k = 0; k < list.size(); ++k) {
        bool skipped = false;
        for (const std::string& s : skip)
            skipped = skipped || s == list[k].first;
        if (skipped) continue;
        writeFile(dir.path() / "data" / (list[k].first + ".tga"),
                  solidTga(static_cast<int>(k) + 1, 2, {1, 2, 3, 255}));
    }
}

class Assets : public ::testing::Test {
  protected:
    TempDir dir;
};

} // namespace

TEST_F(Assets, AllImagesFillSlotsInOrderWithoutUpload) {
    writeAssets(dir);
    ScopedChdir in(dir.path());
    int32_t system = systemBytes, texture = textureBytes;
    Graphics g(false);
    auto list = assetList();
    ASSERT_EQ(list.size(), 49u);
    int32_t expected = 0;
    for (int k = 0; k < 49; ++k) {
        EXPECT_EQ(g.sprites[k].loaded, 1) << list[k].first;
        EXPECT_EQ(g.sprites[k].width, k + 1) << list[k].first;
        EXPECT_EQ(g.sprites[k].texture, nullptr);
        EXPECT_EQ(g.sprites[k].tintTexture, nullptr);
        expected += (k + 1) * 2 * 4;
    }
    EXPECT_EQ(g.sprites[49].loaded, 0);
    EXPECT_EQ(systemBytes - system, expected);
    EXPECT_EQ(textureBytes, texture);

    EXPECT_EQ(g.digitImages[0], &g.sprites[0]);
    EXPECT_EQ(g.digitImages[9], &g.sprites[9]);
    EXPECT_EQ(g.titleGlyphs[4], &g.sprites[14]);
    EXPECT_EQ(g.logoImage, &g.sprites[15]);
    EXPECT_EQ(g.gameOverImage, &g.sprites[16]);
    EXPECT_EQ(g.hiImage, &g.sprites[17]);
    EXPECT_EQ(g.shipImages[1], &g.sprites[19]);
    EXPECT_EQ(g.shotImages[7], &g.sprites[27]);
    EXPECT_EQ(g.playerShotImage, &g.sprites[28]);
    EXPECT_EQ(g.orbImages[0], &g.sprites[29]);
    EXPECT_EQ(g.linkImage, &g.sprites[37]);
    EXPECT_EQ(g.explosionImages[3], &g.sprites[41]);
    EXPECT_EQ(g.enemyImages[0], &g.sprites[42]);
    EXPECT_EQ(g.enemyShotImage, &g.sprites[44]);
    EXPECT_EQ(g.tileImages[0], &g.sprites[45]);
    EXPECT_EQ(g.tileImages[3], &g.sprites[48]);
    EXPECT_EQ(g.tileImages[4], nullptr);
}

TEST_F(Assets, PaletteAndColourCycle) {
    Graphics g(false);
    EXPECT_EQ(g.colorCycle, 0);
    EXPECT_EQ(g.palette[0].r + g.palette[0].g + g.palette[0].b, 0.0f);
    EXPECT_EQ(g.palette[5].g, 0.2f);
    EXPECT_EQ(g.palette[5].b, 0.7f);
    for (int c : {0, 1, 2}) {
        g.colorCycle = c;
        EXPECT_EQ(g.cycleColor().r, 1.0f);
        EXPECT_EQ(g.cycleColor().g, 0.0f);
    }
    for (int c : {21, 22, 23}) {
        g.colorCycle = c;
        EXPECT_EQ(g.cycleColor().g, 1.0f);
        EXPECT_EQ(g.cycleColor().b, 1.0f);
    }
}

TEST_F(Assets, MissingFileLeavesItsSlotForTheNextImage) {
    writeAssets(dir, {"vantrel", "hi"});
    ScopedChdir in(dir.path());
    Graphics g(false);
    // The logo slot held nothing and the game-over image took it; likewise hi and ship1.
    EXPECT_EQ(g.logoImage, &g.sprites[15]);
    EXPECT_EQ(g.gameOverImage, &g.sprites[15]);
    EXPECT_EQ(g.sprites[15].width, 17);
    EXPECT_EQ(g.hiImage, &g.sprites[16]);
    EXPECT_EQ(g.shipImages[0], &g.sprites[16]);
    EXPECT_EQ(g.tileImages[3], &g.sprites[46]);
    EXPECT_EQ(g.sprites[47].loaded, 0);
    Sprite* a = g.loadSprite("data/none.tga", false);
    Sprite* b = g.loadSprite("data/none.tga", true);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, &g.sprites[47]);
}

TEST_F(Assets, FullTableGivesNull) {
    writeFile(dir.path() / "p.tga", solidTga(1, 1, {1, 1, 1, 255}));
    ScopedChdir in(dir.path());
    Graphics g(false);
    for (int i = 0; i < Graphics::kSlots - 1; ++i)
        g.sprites[i].loaded = 1;
    EXPECT_EQ(g.loadSprite("p.tga", false), &g.sprites[999]);
    EXPECT_EQ(g.loadSprite("p.tga", false), nullptr);
    for (int i = 0; i < Graphics::kSlots - 1; ++i)
        g.sprites[i].loaded = 0;
}

class UploadedAssets : public GlTest {
  protected:
    TempDir dir;
};

TEST_F(UploadedAssets, SixtyEightUploadsAndTearDownFreesThem) {
    writeAssets(dir);
    ScopedChdir in(dir.path());
    int32_t texture = textureBytes;
    std::vector<GLuint> names;
    {
        Graphics g(true);
        int32_t expected = 0;
        auto list = assetList();
        for (int k = 0; k < 49; ++k) {
            const Sprite& s = g.sprites[k];
            ASSERT_NE(s.texture, nullptr);
            EXPECT_EQ(s.tintTexture != nullptr, list[k].second) << list[k].first;
            names.push_back(s.texture->id());
            if (s.tintTexture) names.push_back(s.tintTexture->id());
            expected += s.texWidth * s.texHeight * 4 * (s.tintTexture ? 2 : 1);
        }
        EXPECT_EQ(names.size(), 68u);
        EXPECT_EQ(textureBytes - texture, expected);
        for (GLuint n : names)
            EXPECT_TRUE(glIsTexture(n));
    }
    for (GLuint n : names)
        EXPECT_FALSE(glIsTexture(n));
}
