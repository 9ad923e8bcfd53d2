// What the element kinds put on screen, drawn with real OpenGL: pictures, positions and tints.
#include <string>

#include "elements/enemy.h"
#include "elements/explosion.h"
#include "elements/player_ship.h"
#include "elements/shot.h"
#include "game/game_env.h"
#include "game/game_state.h"
#include "input/input.h"
#include "render/graphics.h"
#include "render/render_support.h"
#include "world/level.h"

using render_test::Bgra;
using render_test::Rgb8;

namespace {
constexpr Bgra kGrey{128, 128, 128, 255};
// Drawn plain a grey picture stays grey; its tint variant is a lighter grey times the colour.
const Rgb8 kPlain{128, 128, 128};

bool isTinted(const Rgb8& c, bool r, bool g, bool b) {
    return (c.r > 180) == r && (c.g > 180) == g && (c.b > 180) == b && c.r != 128;
}
} // namespace

class ElementDrawTest : public render_test::GlTest {
  protected:
    void SetUp() override {
        render_test::GlTest::SetUp();
        const auto data = dir.path() / "data";
        for (const char* name : {"ship1", "ship2", "link", "enemy1", "enemy2", "pshot", "eshot"})
            render_test::writeFile(data / (std::string(name) + ".tga"),
                                   render_test::solidTga(8, 8, kGrey));
        for (int i = 0; i < 8; ++i) {
            render_test::writeFile(data / ("orb" + std::to_string(i) + ".tga"),
                                   render_test::solidTga(8, 8, kGrey));
            // Shot pictures told apart by their red level.
            const Bgra c{0, 0, static_cast<uint8_t>(100 + 20 * i), 255};
            render_test::writeFile(data / ("shot" + std::to_string(i) + ".tga"),
                                   render_test::solidTga(8, 8, c));
        }
        const Bgra expColours[4] = {
            {0, 0, 250, 255}, {0, 250, 0, 255}, {250, 0, 0, 255}, {250, 250, 250, 255}};
        for (int i = 0; i < 4; ++i)
            render_test::writeFile(data / ("exp" + std::to_string(i + 1) + ".tga"),
                                   render_test::solidTga(8, 8, expColours[i]));
        {
            render_test::ScopedChdir in(dir.path());
            graphics = new Graphics(true);
        }
        env = new GameEnv(&input, graphics, &level);
        env->state = &state;
        state.lives = 4;
        state.level = 1;
    }
    void TearDown() override {
        delete env;
        delete graphics;
    }
    template <class T> T* place(T* e) {
        env->insertElement(e);
        e->isNew = 0;
        return e;
    }

    render_test::TempDir dir;
    GameState state;
    Input input{nullptr};
    Level level;
    Graphics* graphics = nullptr;
    GameEnv* env = nullptr;
};

TEST_F(ElementDrawTest, ShipFlashesThroughTheCycleWhileInvulnerable) {
    PlayerShip* ship = place(new PlayerShip(env, graphics, 64, 64));
    env->collisionCount = 0;
    ship->update();
    ship->draw();
    EXPECT_EQ(pixel(66, 66), kPlain);
    beginFrame();
    ship->invulnFrames = 5;
    graphics->colorCycle = 0; // red
    ship->draw();
    EXPECT_TRUE(isTinted(pixel(66, 66), true, false, false)) << pixel(66, 66);
    beginFrame();
    graphics->colorCycle = 22; // white
    ship->draw();
    EXPECT_TRUE(isTinted(pixel(66, 66), true, true, true)) << pixel(66, 66);
}

TEST_F(ElementDrawTest, LinksAndOrbsTurnWhiteOnLockAndRedOnContact) {
    PlayerShip* ship = place(new PlayerShip(env, graphics, 64, 64));
    env->collisionCount = 0;
    ship->update();
    // Node 1 is at (84, 78): its link picture starts 3 pixels up and left. Orb 0 spans 77-84.
    const int linkX = 82, linkY = 76, orbX = 78, orbY = 100;
    ship->draw();
    EXPECT_EQ(pixel(linkX, linkY), kPlain);
    EXPECT_EQ(pixel(orbX, orbY), kPlain);
    beginFrame();
    ship->orbFlash = 2;
    ship->draw();
    EXPECT_TRUE(isTinted(pixel(linkX, linkY), true, false, false)) << pixel(linkX, linkY);
    EXPECT_TRUE(isTinted(pixel(orbX, orbY), true, false, false)) << pixel(orbX, orbY);
    EXPECT_EQ(pixel(66, 66), kPlain) << "the ship itself is not tinted";
    beginFrame();
    ship->lockFlash = 1;
    ship->draw();
    EXPECT_TRUE(isTinted(pixel(linkX, linkY), true, true, true)) << pixel(linkX, linkY);
    EXPECT_TRUE(isTinted(pixel(orbX, orbY), true, true, true)) << pixel(orbX, orbY);
}

TEST_F(ElementDrawTest, EnemyFlashesAfterAHit) {
    Enemy* enemy = place(new Enemy(env, graphics, 100, 100));
    enemy->fireTimer = 100;
    env->collisionCount = 0;
    enemy->update();
    const int px = toPixel(enemy->x) + 2, py = toPixel(enemy->y) + 2;
    enemy->draw();
    EXPECT_EQ(pixel(px, py), kPlain);
    beginFrame();
    enemy->flashTimer = 3;
    graphics->colorCycle = 10; // green
    enemy->draw();
    EXPECT_TRUE(isTinted(pixel(px, py), false, true, false)) << pixel(px, py);
}

TEST_F(ElementDrawTest, ExplosionShowsThePictureOfItsAge) {
    Explosion* puff = place(new Explosion(env, graphics, toFixed(50), toFixed(120)));
    const Rgb8 byFrame[4] = {{250, 0, 0}, {0, 250, 0}, {0, 0, 250}, {250, 250, 250}};
    const int32_t counters[] = {-2, 0, 4, 8, 12};
    const int expected[] = {1, 0, 1, 2, 3};
    for (int k = 0; k < 5; ++k) {
        beginFrame();
        puff->counter = counters[k] - 1;
        puff->update();
        puff->draw();
        EXPECT_EQ(pixel(52, 122), byFrame[expected[k]]) << "counter " << counters[k];
    }
}

TEST_F(ElementDrawTest, OrbShotsShowTheirDirectionsPicture) {
    Shot* shot = place(new Shot(env, graphics, toFixed(150), toFixed(150), 0, 0, 5, 0));
    env->collisionCount = 0;
    ASSERT_TRUE(shot->update());
    shot->draw();
    EXPECT_EQ(pixel(151, 151), (Rgb8{200, 0, 0}));
}

TEST_F(ElementDrawTest, MissingPicturesDrawNothing) {
    std::filesystem::create_directories(dir.path() / "bare");
    render_test::ScopedChdir in(dir.path() / "bare");
    Graphics empty(true); // no data folder here
    PlayerShip ship(env, &empty, 64, 64);
    Enemy enemy(env, &empty, 100, 100);
    Explosion puff(env, &empty, 0, 0);
    Shot shot(env, &empty, 0, 0, 0, 0, 8, 1);
    ship.lockFlash = 1;
    ship.draw();
    enemy.flashTimer = 1;
    enemy.draw();
    puff.draw();
    shot.draw();
    EXPECT_EQ(pixel(66, 66), (Rgb8{0, 0, 0}));
}
