// Whole pictures of known game states, checked at chosen pixels of the back buffer.
#include <png.h>

#include <array>
#include <cstring>
#include <memory>

#include "game/game_env.h"
#include "game/game_state.h"
#include "render/draw.h"
#include "render/gl_render_target.h"
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
    Block(int32_t px, int32_t py, int32_t onLayer, Rgb8 c, uint8_t fresh, uint8_t gone, uint8_t on)
        : colour{c.r, c.g, c.b} {
        x = px;
        y = py;
        layer = onLayer;
        isNew = fresh;
        dead = gone;
        active = on;
    }
    bool update() override { return true; }
    void draw() override { drawBox(x, y, 4, 4, colour); }
    RgbInt colour;
};

const Rgb8 kWhite{255, 255, 255}, kBlack{0, 0, 0}, kGrey{130, 130, 130};
const Rgb8 kBand160{0, 0, 160}, kBand120{0, 0, 120}, kBand80{0, 0, 80};
const Rgb8 kRed{255, 0, 0}, kGreen{0, 255, 0}, kYellow{255, 255, 0}, kCyan{0, 255, 255};
const Rgb8 kHi{0, 200, 0}, kLogo{200, 0, 200};

// Digit d shows as red 20 (d + 1), title glyph g as blue 50 (g + 1).
constexpr Rgb8 digit(int d) {
    return {20 * (d + 1), 0, 0};
}
constexpr Rgb8 glyph(int g) {
    return {0, 0, 50 * (g + 1)};
}

Bgra bgra(Rgb8 c) {
    return {static_cast<uint8_t>(c.b), static_cast<uint8_t>(c.g), static_cast<uint8_t>(c.r)};
}

// Digits are 5 x 5 blocks, glyphs 4 x 4; the game-over pattern is 27 x 12, black in its first
// column and elsewhere (255, 255, 128), so multiplying halves the blue; tile 1 is red on its
// left half and green on its right.
void writeSceneAssets(const std::filesystem::path& data) {
    for (int d = 0; d < 10; ++d)
        writeFile(data / ("n" + std::to_string(d) + ".tga"), solidTga(5, 5, bgra(digit(d))));
    for (int g = 0; g < 5; ++g)
        writeFile(data / ("orvane_" + std::to_string(g + 1) + ".tga"),
                  solidTga(4, 4, bgra(glyph(g))));
    writeFile(data / "vantrel.tga", solidTga(6, 6, bgra(kLogo)));
    writeFile(data / "hi.tga", solidTga(6, 3, bgra(kHi)));
    std::vector<Bgra> pattern(27 * 12, Bgra{128, 255, 255}), tile(64, bgra(kGreen));
    for (int row = 0; row < 12; ++row)
        pattern[row * 27] = {0, 0, 0};
    for (int i = 0; i < 64; ++i)
        if (i % 8 < 4) tile[i] = bgra(kRed);
    writeFile(data / "gameover.tga", tgaFile(27, 12, 24, pattern));
    writeFile(data / "tile1.tga", tgaFile(8, 8, 24, tile));
}

class Scene : public GlTest {
  protected:
    TempDir dir;
    std::unique_ptr<Graphics> graphics;
    Level level;
    GameState state;
    std::unique_ptr<GameEnv> env;

    void SetUp() override {
        GlTest::SetUp();
        writeSceneAssets(dir.path() / "data");
        ScopedChdir in(dir.path());
        graphics = std::make_unique<Graphics>(true);
        env = std::make_unique<GameEnv>(nullptr, graphics.get(), &level);
        env->state = &state;
    }
    void draw() {
        beginFrame();
        env->drawScene();
    }
};

} // namespace

TEST_F(Scene, GradientBandsBordersAndLines) {
    draw();
    const std::pair<int, Rgb8> rows[] = {
        {54, kBlack},    {55, kWhite},    {56, kBand160}, {87, kBand160},  {88, kBand120},
        {95, kBand120},  {96, kBand80},   {143, kBand80}, {144, kBand120}, {151, kBand120},
        {152, kBand160}, {183, kBand160}, {184, kWhite},  {185, kBlack},   {239, kBlack}};
    for (const auto& [y, colour] : rows)
        expectPixels({{0, y, colour}, {319, y, colour}});
}

TEST_F(Scene, TilesByValueFollowingTheScroll) {
    for (auto [column, row, value] :
         {std::array{5, 3, 9}, {10, 0, 1}, {12, 0, 2}, {14, 0, 10}, {16, 0, 127}, {18, 0, 0xff}})
        level.tiles[column][row] = static_cast<uint8_t>(value);
    draw();
    // 9 is a black block, 2 is tile 1 mirrored, values above 9 and below 1 draw nothing.
    const Probe tiles[] = {{40, 80, kBlack},   {47, 87, kBlack},    {48, 87, kBand160},
                           {80, 56, kRed},     {87, 56, kGreen},    {96, 56, kGreen},
                           {103, 56, kRed},    {112, 60, kBand160}, {128, 60, kBand160},
                           {144, 60, kBand160}};
    expectPixels(tiles);
    level.scrollX = 3 * 256 + 255;
    draw();
    expectPixels({{36, 80, kBand160}, {37, 80, kBlack}, {44, 80, kBlack}, {45, 80, kBand160}});
}

TEST_F(Scene, StarsTrailTheirStreaks) {
    level.stars[0] = {100 * 256, 70 * 256, -512, 0};    // far: a streak half a frame behind
    level.stars[50] = {150 * 256, 100 * 256, -1024, 0}; // near: a head and a streak after it
    draw();
    const Rgb8 streak{32, 32, 128};
    const Probe stars[] = {{100, 70, kBand160}, {101, 70, streak},         {102, 70, streak},
                           {103, 70, kBand160}, {150, 100, {64, 64, 196}}, {151, 100, streak},
                           {152, 100, streak},  {153, 100, kBand80}};
    expectPixels(stars);
}

TEST_F(Scene, ElementsByLayerThenSlotOverTheLevelUnderTheBorders) {
    const struct {
        int slot, x, y, layer;
        Rgb8 colour;
        uint8_t isNew, dead, active;
    } blocks[] = {{0, 100, 100, 1, kRed, 0, 0, 1},    {1, 100, 100, 0, kGreen, 0, 0, 1},
                  {2, 102, 102, 1, kYellow, 0, 0, 1}, {3, 200, 100, 8, kWhite, 0, 0, 1},
                  {4, 210, 100, -1, kWhite, 0, 0, 1}, {5, 220, 100, 0, kWhite, 1, 0, 1},
                  {6, 230, 100, 0, kWhite, 0, 1, 1},  {999, 240, 100, 0, kCyan, 0, 0, 0},
                  {7, 10, 53, 7, kRed, 0, 0, 1}};
    for (const auto& b : blocks)
        env->elements[b.slot] = new Block(b.x, b.y, b.layer, b.colour, b.isNew, b.dead, b.active);
    level.tiles[30][5] = 9; // black under the resting block
    draw();
    const Probe seen[] = {{100, 100, kRed},    {103, 103, kYellow}, {200, 100, kBand80},
                          {210, 100, kBand80}, {220, 100, kBand80}, {230, 100, kBand80},
                          {240, 100, kCyan},   {10, 54, kBlack},    {10, 55, kWhite},
                          {10, 56, kRed}};
    expectPixels(seen);
}

TEST_F(Scene, GameOverFlashesWhiteThenDarkensByThePattern) {
    for (int frames : {2, 3, 6, 62}) {
        state.gameOverFrames = frames;
        draw();
        expectPixels({{100, 100, kWhite}, {0, 56, kWhite}, {319, 183, kWhite}, {0, 54, kBlack}});
    }
    state.gameOverFrames = 1;
    draw();
    EXPECT_NEAR(pixel(100, 100).b, 40, 1);
    EXPECT_NEAR(pixel(0, 60).b, 80, 1) << "160 halved";
    for (int j = 1; j < 12; ++j)
        EXPECT_EQ(pixel(27 * j - 1, 120), kBlack) << j;
    EXPECT_NE(pixel(27, 120), kBlack);
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_TRUE(src == GL_SRC_ALPHA && dst == GL_ONE_MINUS_SRC_ALPHA) << "blending set back";
    for (int frames : {4, 5, 66}) {
        state.gameOverFrames = frames;
        draw();
        EXPECT_EQ(pixel(27 - frames % 27, 120), kBlack) << frames;
    }
}

TEST_F(Scene, ScoreLineAndNumbers) {
    state.score = 345;
    state.lives = 3;
    state.level = 7;
    state.killsToNextLevel = 12;
    draw();
    // Twelve digits 7 pixels apart: 84 pixels, the last digit's right edge at 8 + 77 + 4.
    for (int i = 0; i < 12; ++i)
        expectPixels({{8 + 7 * i, 192, digit(i < 9 ? 0 : i - 6)}, {8 + 7 * i, 227, digit(0)}});
    const Probe shown[] = {{89, 196, digit(5)},  {90, 192, kBlack},    {13, 192, kBlack},
                           {95, 201, digit(3)},  {102, 201, kBlack},   {105, 210, digit(0)},
                           {112, 210, digit(7)}, {122, 210, digit(1)}, {129, 210, digit(2)},
                           {92, 198, kGrey},     {93, 199, kGrey},     {102, 207, kGrey},
                           {119, 213, kGrey},    {91, 225, kHi},       {96, 227, kHi},
                           {216, 205, kLogo},    {221, 210, kLogo}};
    expectPixels(shown);
    // Other characters leave a one-digit gap; text longer than the buffer is cut safely.
    drawNumber(*graphics, 150, 160, "%i", -5);
    drawNumber(*graphics, 0, 170, "%s", std::string(600, '1').c_str());
    expectPixels({{150, 160, kBand160}, {157, 160, digit(5)}, {0, 170, digit(1)}});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Scene, TitleTickerWavesAndScrolls) {
    // Glyph i at x = 18 i - r, r = 2 f mod 18, height 20 - nearest(11.99 sin(0.04 (f - r + 18 i))).
    draw();
    expectPixels({{0, 20, glyph(0)}, {3, 23, glyph(0)}, {18, 12, glyph(1)}, {90, 8, kBlack}});
    const Rgb8 shadow = pixel(10, 28); // the mirrored wave 8 pixels to the left, in grey
    EXPECT_TRUE(shadow.r > 0 && shadow.r == shadow.g && shadow.g == shadow.b) << shadow;
    state.frameCount = 9;
    draw();
    expectPixels({{0, 16, glyph(1)}, {72, 20, kBlack}});
}

TEST_F(Scene, ScreenshotKeepsTopRowsAtTheTop) {
    drawBox(0, 0, 1, 1, {255, 0, 0});
    drawBox(319, 239, 1, 1, {0, 255, 0});
    std::string path = dir.file("shot.png");
    std::vector<uint8_t> picture;
    std::string reason;
    ASSERT_TRUE(readClassicFromWindow(480, picture));
    ASSERT_TRUE(writePng(path.c_str(), picture, 640, 480, reason)) << reason;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGB;
    ASSERT_TRUE(image.width == 640u && image.height == 480u);
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    EXPECT_EQ(rgb[0], 255) << "red top-left";
    EXPECT_EQ(rgb[(640 * 479 + 639) * 3 + 1], 255) << "green bottom-right";
    EXPECT_EQ(rgb[3 * 2], 0);
    EXPECT_FALSE(writePng(dir.file("no/such/folder.png").c_str(), picture, 640, 480, reason));
    EXPECT_EQ(reason, "No such file or directory");
}
