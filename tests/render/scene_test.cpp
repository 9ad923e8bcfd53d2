// Whole pictures of known game states, checked at chosen pixels of the back buffer: the tile
// values at their limits and the numbers, which the recorded games never reach.
#include <array>
#include <memory>

#include "game/game_env.h"
#include "render/draw.h"
#include "render/graphics.h"
#include "render_support.h"
#include "support/scratch_dir.h"
#include "world/game_state.h"
#include "world/level.h"

using namespace render_test;

namespace {

const Rgb8 kBlack{0, 0, 0}, kBand160{0, 0, 160}, kRed{255, 0, 0}, kGreen{0, 255, 0};

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

// As a game ends the playfield strobes white on frames 2, 3, 6, 7, ... 63; without flashes those
// frames show what the frames around them show, and every other frame is the same either way.
TEST_F(Scene, NoFlashesChangesOnlyTheStrobeFrames) {
    const Rgb8 kWhite{255, 255, 255};
    const auto samples = [this](bool flashes) {
        env->gameOverFlashes = flashes;
        draw();
        std::vector<Rgb8> row;
        for (int x = 0; x < 320; x += 7)
            for (int y : {20, 60, 100, 180, 200})
                row.push_back(pixel(x, y));
        return row;
    };
    for (int32_t frame = 1; frame <= 70; ++frame) {
        SCOPED_TRACE(frame);
        state.gameOverFrames = frame;
        const auto without = samples(false);
        const auto with = samples(true);
        if (frame < 64 && (frame & 2) != 0) {
            EXPECT_NE(with, without);
            EXPECT_EQ(pixel(160, 100), kWhite);
        } else {
            EXPECT_EQ(with, without);
        }
        EXPECT_NE(without[17], kWhite); // (21, 100) in the playfield
    }
}
