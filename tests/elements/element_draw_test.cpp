// What the element kinds put on screen, drawn with real OpenGL: pictures and tints.
#include <memory>
#include <string>

#include "element_world.h"
#include "render/graphics.h"
#include "render/render_support.h"

class ElementDrawTest : public ElementWorldOn<render_test::GlTest> {
  protected:
    void SetUp() override {
        ElementWorldOn::SetUp();
        // Grey, so that any tint shows; orb 4 is the picture of an orb facing forwards.
        for (const char* name : {"ship1", "ship2", "link", "enemy1", "enemy2", "orb4"})
            render_test::writeFile(dir.path() / "data" / (std::string(name) + ".tga"),
                                   render_test::solidTga(8, 8, {128, 128, 128, 255}));
        render_test::ScopedChdir in(dir.path());
        graphics = std::make_unique<Graphics>(true);
    }
    void TearDown() override {
        ElementWorldOn::TearDown();
        graphics.reset();
    }
    // The element drawn alone: "plain" grey, or the bright channels of its tint.
    static std::string tint(Element* e, int x, int y) {
        beginFrame();
        e->draw();
        const render_test::Rgb8 c = pixel(x, y);
        if (c == render_test::Rgb8{128, 128, 128}) return "plain";
        return std::string(c.r > 180 ? "r" : "") + (c.g > 180 ? "g" : "") + (c.b > 180 ? "b" : "");
    }

    render_test::TempDir dir;
    std::unique_ptr<Graphics> graphics;
};

TEST_F(ElementDrawTest, TintsShowInvulnerabilityHitsLockAndOrbContact) {
    PlayerShip* ship = place(new PlayerShip(&env, graphics.get(), 64, 64));
    step(ship);
    // Node 1 is at (84, 78): its link picture starts 3 pixels up and left. Orb 0 spans 77-84.
    EXPECT_EQ(tint(ship, 66, 66) + tint(ship, 82, 76) + tint(ship, 78, 100), "plainplainplain");
    ship->orbFlash = 2;
    EXPECT_EQ(tint(ship, 66, 66) + tint(ship, 82, 76) + tint(ship, 78, 100), "plainrr");
    ship->lockFlash = 1; // white outshines red
    EXPECT_EQ(tint(ship, 82, 76) + tint(ship, 78, 100), "rgbrgb");
    ship->invulnFrames = 5;
    graphics->colorCycle = 0;
    EXPECT_EQ(tint(ship, 66, 66), "r");
    graphics->colorCycle = 22;
    EXPECT_EQ(tint(ship, 66, 66), "rgb");

    Enemy* enemy = place(new Enemy(&env, graphics.get(), 100, 100));
    step(enemy);
    const int px = toPixel(enemy->x) + 2, py = toPixel(enemy->y) + 2;
    EXPECT_EQ(tint(enemy, px, py), "plain");
    enemy->flashTimer = 3;
    graphics->colorCycle = 10;
    EXPECT_EQ(tint(enemy, px, py), "g");
}

TEST_F(ElementDrawTest, ShotPicturesFollowTheKindAndTheOrbShotsDirection) {
    const Sprite* pictures[3] = {graphics->shotImages[5], graphics->playerShotImage,
                                 graphics->enemyShotImage};
    for (int32_t variant : {Shot::kOrbShot, Shot::kMainGunShot, Shot::kEnemyShot}) {
        Shot* s = place(new Shot(&env, graphics.get(), 0, 0, 0, 0, variant == 0 ? 5 : 8, variant));
        step(s);
        EXPECT_EQ(s->sprite, pictures[variant]) << variant;
    }
}

TEST_F(ElementDrawTest, MissingPicturesDrawNothing) {
    std::filesystem::create_directories(dir.path() / "bare");
    render_test::ScopedChdir in(dir.path() / "bare");
    Graphics empty(true); // no data folder here
    PlayerShip ship(&env, &empty, 64, 64);
    Enemy enemy(&env, &empty, 100, 100);
    Explosion puff(&env, &empty, 0, 0);
    Shot shot(&env, &empty, 0, 0, 0, 0, 8, Shot::kMainGunShot);
    ship.lockFlash = enemy.flashTimer = 1;
    for (Element* e : std::initializer_list<Element*>{&ship, &enemy, &puff, &shot})
        e->draw();
    EXPECT_EQ(pixel(66, 66), (render_test::Rgb8{0, 0, 0}));
}
