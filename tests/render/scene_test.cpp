// Whole pictures of known game states, checked at chosen pixels of the back buffer.
#include <png.h>

#include <cstring>

#include "game/game_env.h"
#include "game/game_state.h"
#include "render/draw.h"
#include "render/graphics.h"
#include "render/screenshot.h"
#include "render_support.h"
#include "world/element.h"
#include "world/level.h"

using namespace render_test;

namespace {

// An element that shows itself as a 4 x 4 block of its colour.
class Block : public Element {
  public:
    Block(int32_t px, int32_t py, int32_t onLayer, RgbInt c) : colour(c) {
        x = px;
        y = py;
        layer = onLayer;
        isNew = 0;
    }
    bool update() override { return true; }
    void draw() override { drawBox(x, y, 4, 4, colour); }
    RgbInt colour;
};

const Rgb8 kWhite{255, 255, 255};
const Rgb8 kBlack{0, 0, 0};
const Rgb8 kBand160{0, 0, 160};
const Rgb8 kBand120{0, 0, 120};
const Rgb8 kBand80{0, 0, 80};
const Rgb8 kGrey{130, 130, 130};
const Rgb8 kHi{0, 200, 0};
const Rgb8 kLogo{200, 0, 200};
const Rgb8 kTileLeft{255, 0, 0};
const Rgb8 kTileRight{0, 255, 0};

Bgra bgra(Rgb8 c) {
    return {static_cast<uint8_t>(c.b), static_cast<uint8_t>(c.g), static_cast<uint8_t>(c.r), 255};
}

// Ticker glyph g is a 4 x 4 block of blue 50 * (g + 1); digits are 5 x 5 blocks of red
// 20 * (d + 1); the game-over pattern is 27 x 12, black in its first column and otherwise
// (255, 255, 128), so multiplying halves the blue.
void writeSceneAssets(const TempDir& dir) {
    auto put = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
        writeFile(dir.path() / "data" / (name + ".tga"), bytes);
    };
    for (int d = 0; d < 10; ++d)
        put("n" + std::to_string(d),
            solidTga(5, 5, {0, 0, static_cast<uint8_t>(20 * (d + 1)), 255}));
    for (int g = 0; g < 5; ++g)
        put("orvane_" + std::to_string(g + 1),
            solidTga(4, 4, {static_cast<uint8_t>(50 * (g + 1)), 0, 0, 255}));
    put("vantrel", solidTga(6, 6, bgra(kLogo)));
    std::vector<Bgra> pattern(27 * 12, Bgra{128, 255, 255, 255});
    for (int row = 0; row < 12; ++row)
        pattern[row * 27] = {0, 0, 0, 255};
    put("gameover", tgaFile(27, 12, 24, pattern));
    put("hi", solidTga(6, 3, bgra(kHi)));
    std::vector<Bgra> tile(64, bgra(kTileRight));
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 4; ++col)
            tile[row * 8 + col] = bgra(kTileLeft);
    put("tile1", tgaFile(8, 8, 24, tile));
}

class Scene : public GlTest {
  protected:
    TempDir dir;
    Graphics* graphics = nullptr;
    Level level;
    GameState state;
    GameEnv* env = nullptr;

    void SetUp() override {
        GlTest::SetUp();
        writeSceneAssets(dir);
        ScopedChdir in(dir.path());
        graphics = new Graphics(true);
        env = new GameEnv(nullptr, graphics, &level);
        env->state = &state;
    }
    void TearDown() override {
        delete env;
        delete graphics;
    }
    void draw() {
        beginFrame();
        env->drawScene();
    }
    static int digitAt(int x, int y) {
        Rgb8 c = pixel(x, y);
        return c.r == 0 || c.g != 0 ? -1 : c.r / 20 - 1;
    }
    static int glyphAt(int x, int y) {
        Rgb8 c = pixel(x, y);
        return c.r == 0 && c.g == 0 && c.b > 0 ? c.b / 50 - 1 : -1;
    }
};

} // namespace

TEST_F(Scene, GradientBandsBordersAndLines) {
    draw();
    const std::pair<int, Rgb8> rows[] = {
        {54, kBlack},    {55, kWhite},    {56, kBand160}, {87, kBand160},  {88, kBand120},
        {95, kBand120},  {96, kBand80},   {143, kBand80}, {144, kBand120}, {151, kBand120},
        {152, kBand160}, {183, kBand160}, {184, kWhite},  {185, kBlack},   {239, kBlack},
    };
    for (const auto& [y, colour] : rows) {
        EXPECT_EQ(pixel(300, y), colour) << "y = " << y;
        EXPECT_EQ(pixel(0, y), colour) << "y = " << y;
    }
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_SRC_ALPHA);
    EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(Scene, TilesByValue) {
    level.tiles[5][3] = 9;
    level.tiles[10][0] = 1;
    level.tiles[12][0] = 2;
    level.tiles[14][0] = 10;
    level.tiles[16][0] = 127;
    level.tiles[18][0] = 0xff; // -1
    level.tiles[20][15] = 9;
    draw();
    EXPECT_EQ(pixel(40, 80), kBlack);
    EXPECT_EQ(pixel(47, 87), kBlack);
    EXPECT_EQ(pixel(48, 87), kBand160);
    EXPECT_EQ(pixel(80, 56), kTileLeft);
    EXPECT_EQ(pixel(87, 56), kTileRight);
    EXPECT_EQ(pixel(96, 56), kTileRight) << "even values are mirrored";
    EXPECT_EQ(pixel(103, 56), kTileLeft);
    EXPECT_EQ(pixel(112, 60), kBand160) << "no picture above 9";
    EXPECT_EQ(pixel(128, 60), kBand160);
    EXPECT_EQ(pixel(144, 60), kBand160);
    EXPECT_EQ(pixel(160, 183), kBlack) << "bottom row of the band";
}

TEST_F(Scene, TilesFollowTheFineScroll) {
    level.tiles[5][3] = 9;
    level.scrollX = 3 * 256 + 255;
    draw();
    EXPECT_EQ(pixel(36, 80), kBand160);
    EXPECT_EQ(pixel(37, 80), kBlack);
    EXPECT_EQ(pixel(44, 80), kBlack);
    EXPECT_EQ(pixel(45, 80), kBand160);
}

TEST_F(Scene, StarsTrailTheirStreaks) {
    level.stars[0] = {100 * 256, 70 * 256, -512, 0};
    level.stars[50] = {150 * 256, 100 * 256, -1024, 0};
    draw();
    const Rgb8 farStar{32, 32, 128}, nearHead{64, 64, 196};
    EXPECT_EQ(pixel(100, 70), kBand160);
    EXPECT_EQ(pixel(101, 70), farStar);
    EXPECT_EQ(pixel(102, 70), farStar);
    EXPECT_EQ(pixel(103, 70), kBand160);
    EXPECT_EQ(pixel(150, 100), nearHead);
    EXPECT_EQ(pixel(151, 100), farStar);
    EXPECT_EQ(pixel(152, 100), farStar);
    EXPECT_EQ(pixel(153, 100), kBand80);
    EXPECT_EQ(pixel(150, 101), kBand80);
}

TEST_F(Scene, ElementsByLayerThenSlot) {
    env->elements[0] = new Block(100, 100, 1, {255, 0, 0});
    env->elements[1] = new Block(100, 100, 0, {0, 255, 0});
    env->elements[2] = new Block(102, 102, 1, {255, 255, 0});
    Block* outside = new Block(200, 100, 8, {255, 255, 255});
    Block* negative = new Block(210, 100, -1, {255, 255, 255});
    Block* fresh = new Block(220, 100, 0, {255, 255, 255});
    fresh->isNew = 1;
    Block* dead = new Block(230, 100, 0, {255, 255, 255});
    dead->dead = 1;
    Block* resting = new Block(240, 100, 0, {0, 255, 255});
    resting->active = 0;
    env->elements[3] = outside;
    env->elements[4] = negative;
    env->elements[5] = fresh;
    env->elements[6] = dead;
    env->elements[999] = resting;
    draw();
    EXPECT_EQ(pixel(100, 100), (Rgb8{255, 0, 0})) << "layer 1 covers layer 0";
    EXPECT_EQ(pixel(103, 103), (Rgb8{255, 255, 0})) << "a later slot on a layer covers an earlier";
    for (int x : {200, 210, 220, 230})
        EXPECT_EQ(pixel(x, 100), kBand80) << x;
    EXPECT_EQ(pixel(240, 100), (Rgb8{0, 255, 255})) << "inactive elements still show";
}

TEST_F(Scene, ElementsOutsideThePlayfieldAreCovered) {
    env->elements[0] = new Block(10, 53, 0, {255, 0, 0});
    draw();
    EXPECT_EQ(pixel(10, 54), kBlack);
    EXPECT_EQ(pixel(10, 55), kWhite);
    EXPECT_EQ(pixel(10, 56), (Rgb8{255, 0, 0}));
}

TEST_F(Scene, GameOverFlashAndPattern) {
    for (int g : {2, 3, 6, 63 - 1}) {
        state.gameOverFrames = g;
        draw();
        EXPECT_EQ(pixel(100, 100), kWhite) << g;
        EXPECT_EQ(pixel(0, 56), kWhite) << g;
        EXPECT_EQ(pixel(319, 183), kWhite) << g;
    }
    state.gameOverFrames = 0;
    draw();
    EXPECT_EQ(pixel(100, 100), kBand80);

    // Pattern at frame 1: its dark first column sits at x = 27 j - 1; everything else halved.
    state.gameOverFrames = 1;
    draw();
    Rgb8 halved = pixel(100, 100);
    EXPECT_EQ(halved.r, 0);
    EXPECT_NEAR(halved.b, 40, 1);
    EXPECT_NEAR(pixel(0, 60).b, 80, 1) << "160 halved";
    for (int j = 1; j < 12; ++j)
        EXPECT_EQ(pixel(27 * j - 1, 120), kBlack) << j;
    EXPECT_NE(pixel(27, 120), kBlack);
    GLint src = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    EXPECT_EQ(src, GL_SRC_ALPHA) << "blending set back";

    for (int g : {4, 5, 66}) {
        state.gameOverFrames = g;
        draw();
        EXPECT_EQ(pixel(27 - g % 27, 120), kBlack) << g;
        EXPECT_NEAR(pixel(100, 100).b, 40, 1) << g;
    }
}

TEST_F(Scene, ScoreDisplay) {
    state.score = 345;
    state.lives = 3;
    state.level = 7;
    state.killsToNextLevel = 12;
    state.highScore = 0;
    draw();
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(digitAt(8 + 7 * i, 192), 0) << i;
    EXPECT_EQ(digitAt(8 + 7 * 9, 192), 3);
    EXPECT_EQ(digitAt(8 + 7 * 11 + 4, 196), 5);
    EXPECT_EQ(pixel(92, 198), kGrey);
    EXPECT_EQ(pixel(93, 199), kGrey);
    EXPECT_EQ(digitAt(95, 201), 3);
    EXPECT_EQ(digitAt(102, 201), -1) << "one digit for the lives";
    EXPECT_EQ(pixel(102, 207), kGrey);
    EXPECT_EQ(digitAt(105, 210), 0);
    EXPECT_EQ(digitAt(112, 210), 7);
    EXPECT_EQ(pixel(119, 213), kGrey);
    EXPECT_EQ(digitAt(122, 210), 1);
    EXPECT_EQ(digitAt(129, 210), 2);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(digitAt(8 + 7 * i, 227), 0) << i;
    EXPECT_EQ(pixel(91, 225), kHi);
    EXPECT_EQ(pixel(96, 227), kHi);
    EXPECT_EQ(pixel(216, 205), kLogo);
    EXPECT_EQ(pixel(221, 210), kLogo);
}

TEST_F(Scene, TitleTickerWavesAndScrolls) {
    state.frameCount = 0;
    draw();
    // Front glyphs at x = 18 i, glyph i mod 5; t = 18 i, y = 20 - nearest(11.99 sin(0.04 t)).
    EXPECT_EQ(glyphAt(0, 20), 0);
    EXPECT_EQ(glyphAt(3, 23), 0);
    EXPECT_EQ(glyphAt(18, 12), 1) << "sin(0.72) lifts it 8 pixels";
    EXPECT_EQ(glyphAt(90, 20 - 12), -1);
    // The shadow rides the mirrored wave 8 pixels to the left, in grey.
    Rgb8 shadow = pixel(10, 28);
    EXPECT_GT(shadow.r, 0);
    EXPECT_EQ(shadow.r, shadow.g);
    EXPECT_EQ(shadow.g, shadow.b);

    state.frameCount = 1;
    draw();
    EXPECT_EQ(glyphAt(16, 13), 1) << "two pixels left, t = 17";
    EXPECT_EQ(glyphAt(0, 20), 0) << "t = -1 rounds to the same height";

    state.frameCount = 9;
    draw();
    EXPECT_EQ(glyphAt(0, 16), 1) << "back at x = 0 with the next glyph, t = 9";
    EXPECT_EQ(glyphAt(72, 20 - 0), -1);
}

TEST_F(Scene, OnlyLayerZeroOfTheLevelDraws) {
    level.tiles[0][0] = 9;
    beginFrame();
    for (int layer = 1; layer < 8; ++layer)
        level.drawLevel(*graphics, layer);
    EXPECT_EQ(pixel(0, 56), kBlack);
    drawBox(0, 0, 320, 240, {0, 0, 160});
    level.drawLevel(*graphics, 0);
    EXPECT_EQ(pixel(0, 56), kBlack);
    EXPECT_EQ(pixel(8, 56), kBand160);
}

TEST_F(Scene, ScreenshotKeepsTopRowsAtTheTop) {
    beginFrame();
    drawBox(0, 0, 1, 1, {255, 0, 0});
    drawBox(319, 239, 1, 1, {0, 255, 0});
    std::string path = dir.file("shot.png");
    ASSERT_TRUE(saveScreenshot(path.c_str(), 640, 480));
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGB;
    ASSERT_EQ(image.width, 640u);
    ASSERT_EQ(image.height, 480u);
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    auto at = [&](int x, int y) {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * 640 + x) * 3];
        return Rgb8{p[0], p[1], p[2]};
    };
    EXPECT_EQ(at(0, 0), (Rgb8{255, 0, 0}));
    EXPECT_EQ(at(1, 1), (Rgb8{255, 0, 0}));
    EXPECT_EQ(at(639, 479), (Rgb8{0, 255, 0}));
    EXPECT_EQ(at(2, 0), kBlack);
    EXPECT_FALSE(saveScreenshot((dir.file("no/such/folder.png")).c_str(), 640, 480));
}
