// The asset set: the slots of missing files, a full table, and tear-down.
#include "render/graphics.h"

#include <sstream>
#include <string>
#include <vector>

#include "render/texture.h"
#include "render/tga.h"
#include "render_support.h"

using namespace render_test;

namespace {

// The 49 file names in load order; a star marks those that get a tint variant.
std::vector<std::pair<std::string, bool>> assetList() {
    std::istringstream in("n0 n1 n2 n3 n4 n5 n6 n7 n8 n9 orvane_1* orvane_2* orvane_3* orvane_4* "
                          "orvane_5* vantrel gameover hi ship1* ship2* shot0 shot1 shot2 shot3 "
                          "shot4 shot5 shot6 shot7 pshot orb0* orb1* orb2* orb3* orb4* orb5* orb6* "
                          "orb7* link* exp1 exp2 exp3 exp4 enemy1* enemy2* eshot* tile1 tile2 "
                          "tile3 tile4");
    std::vector<std::pair<std::string, bool>> list;
    for (std::string name; in >> name;)
        list.emplace_back(name.substr(0, name.find('*')), name.back() == '*');
    return list;
}

class Assets : public GlTest {
  protected:
    ScratchDir dir;
    // Image k of the list is (k + 1) pixels wide, so a slot tells which file it holds.
    void writeAssets(const std::string& skip1 = "", const std::string& skip2 = "") {
        auto list = assetList();
        for (size_t k = 0; k < list.size(); ++k)
            if (list[k].first != skip1 && list[k].first != skip2)
                writeFile(dir.path() / "data" / (list[k].first + ".tga"),
                          solidTga(static_cast<int>(k) + 1, 2, {1, 2, 3}));
    }
};

} // namespace

TEST_F(Assets, MissingFileLeavesItsSlotForTheNextImageAndAFullTableGivesNull) {
    writeAssets("vantrel", "hi");
    ScopedChdir in(dir.path());
    Graphics g(false);
    EXPECT_EQ(g.logoImage, &g.sprites[15]);
    EXPECT_EQ(g.gameOverImage, &g.sprites[15]);
    EXPECT_EQ(g.sprites[15].width, 17);
    EXPECT_EQ(g.hiImage, &g.sprites[16]);
    EXPECT_EQ(g.shipImages[0], &g.sprites[16]);
    EXPECT_EQ(g.tileImages[3], &g.sprites[46]);
    EXPECT_EQ(g.loadSprite("data/none.tga", true), &g.sprites[47]);
    for (int i = 47; i < Graphics::kSlots - 1; ++i)
        g.sprites[i].loaded = 1;
    EXPECT_EQ(g.loadSprite("data/n0.tga", false), &g.sprites[999]);
    EXPECT_EQ(g.loadSprite("data/n0.tga", false), nullptr);
}

// Which file lands in which slot, and which get a tint variant, every recorded picture shows;
// tear-down must free exactly the table's textures, never one an empty slot points to.
TEST_F(Assets, TearDownFreesTheLoadedSlotsOnly) {
    writeAssets();
    ScopedChdir in(dir.path());
    std::vector<GLuint> names;
    Texture* foreign = new Texture(); // not the table's: an empty slot must not give it away
    foreign->upload(std::vector<uint8_t>(4, 0).data(), 1, 1, 1);
    const GLuint foreignName = foreign->id();
    {
        Graphics g(true);
        for (const Sprite& s : g.sprites) {
            if (s.texture != nullptr) names.push_back(s.texture->id());
            if (s.tintTexture != nullptr) names.push_back(s.tintTexture->id());
        }
        EXPECT_EQ(names.size(), 68u);
        g.sprites[60].texture = foreign;
    }
    for (GLuint n : names)
        EXPECT_FALSE(glIsTexture(n));
    ASSERT_TRUE(glIsTexture(foreignName));
    foreign->release();
    delete foreign;
}
