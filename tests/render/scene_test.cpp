// Whole pictures of known game states, checked at chosen pixels of the back buffer: the tile
// values, the layers and the numbers, where the recorded pictures would show a change but not why.
#include <array>
#include <memory>

#include "game/game_env.h"
#include "render/draw.h"
#include "render/graphics.h"
#include "render_support.h"
#include "support/scratch_dir.h"
#include "world/element.h"
#include "world/game_state.h"
#include "world/level.h"

using namespace render_test;

namespace {

// An element that shows itself as a 4 x 4 block of its colour.
class Block : public Element {
  public:
    Block(int32_t px, int32_t py, int32_t onLayer, Rgb8 c) : colour{c.r, c.g, c.b} {
        x = px;
        y = py;
        layer = onLayer;
    }
    bool update() override { return true; }
    void draw() override { drawBox(x, y, 4, 4, colour); }
    RgbInt colour;
};

const Rgb8 kWhite{255, 255, 255}, kBlack{0, 0, 0}, kBand160{0, 0, 160}, kBand80{0, 0, 80};
const Rgb8 kRed{255, 0, 0}, kGreen{0, 255, 0}, kYellow{255, 255, 0}, kCyan{0, 255, 255};

// Digit d shows as red 20 (d + 1).
constexpr Rgb8 digit(int d) {
    return {20 * (d + 1), 0, 0};
}

// Digits are 5 x 5 blocks; tile 1 is red on its left half and green on its right.
void writeSceneAssets(const std::filesystem::path& data) {
    for (int d = 0; d < 10; ++d)
        writeFile(data / ("n" + std::to_string(d) + ".tga"),
                  solidTga(5, 5, {0, 0, static_cast<uint8_t>(digit(d).r)}));
    std::vector<Bgra> tile(64, Bgra{0, 255, 0});
    for (int i = 0; i < 64; ++i)
        if (i % 8 < 4) tile[i] = {0, 0, 255};
    writeFile(data / "tile1.tga", tgaFile(8, 8, 24, tile));
}

class Scene : public GlTest {
  protected:
    ScratchDir dir;
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

TEST_F(Scene, ElementsByLayerThenSlotOverTheLevelUnderTheBorders) {
    const struct {
        int slot, x, y, layer;
        Rgb8 colour;
        uint8_t isNew = 0, dead = 0, active = 1;
    } blocks[] = {{.slot = 0, .x = 100, .y = 100, .layer = 1, .colour = kRed},
                  {.slot = 1, .x = 100, .y = 100, .layer = 0, .colour = kGreen},
                  {.slot = 2, .x = 102, .y = 102, .layer = 1, .colour = kYellow},
                  {.slot = 3, .x = 200, .y = 100, .layer = 8, .colour = kWhite},
                  {.slot = 4, .x = 210, .y = 100, .layer = -1, .colour = kWhite},
                  {.slot = 5, .x = 220, .y = 100, .layer = 0, .colour = kWhite, .isNew = 1},
                  {.slot = 6, .x = 230, .y = 100, .layer = 0, .colour = kWhite, .dead = 1},
                  {.slot = 999, .x = 240, .y = 100, .layer = 0, .colour = kCyan, .active = 0},
                  {.slot = 7, .x = 10, .y = 53, .layer = 7, .colour = kRed}};
    for (const auto& b : blocks) {
        Element* e = env->elements[b.slot] = new Block(b.x, b.y, b.layer, b.colour);
        std::tie(e->isNew, e->dead, e->active) = std::tuple(b.isNew, b.dead, b.active);
    }
    level.tiles[30][5] = 9; // black under the resting block
    draw();
    // Layers 0 to 7 only, new and dying elements hidden, a retired one still shown.
    const Probe seen[] = {{100, 100, kRed},    {103, 103, kYellow}, {200, 100, kBand80},
                          {210, 100, kBand80}, {220, 100, kBand80}, {230, 100, kBand80},
                          {240, 100, kCyan},   {10, 54, kBlack},    {10, 55, kWhite},
                          {10, 56, kRed}};
    expectPixels(seen);
}

TEST_F(Scene, NumbersAreZeroPaddedAndOverlongTextIsCutSafely) {
    state.score = 345;
    draw();
    // Twelve digits 7 pixels apart from x = 8.
    for (int i = 0; i < 12; ++i)
        expectPixels({{8 + 7 * i, 192, digit(i < 9 ? 0 : i - 6)}});
    // Other characters leave a one-digit gap; text longer than the buffer is cut, not overrun.
    drawNumber(*graphics, 150, 160, "%i", -5);
    drawNumber(*graphics, 0, 170, "%s", std::string(600, '1').c_str());
    expectPixels({{150, 160, kBand160}, {157, 160, digit(5)}, {0, 170, digit(1)}});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
