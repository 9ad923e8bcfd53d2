// The weapon's parameters in the world: target dummies, an invulnerable ship, lives, and a chain
// of any lab setting staying inside its numbers.
#include <gtest/gtest.h>

#include <cstdlib>

#include "elements/dummy.h"
#include "elements/player_ship.h"
#include "game/game_env.h"
#include "render/graphics.h"
#include "support/key_source.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/random.h"

namespace {

struct LabWorld : ::testing::Test {
    void start(const LabSettings& settings) {
        randomSeed(5);
        *gameState = GameState{};
        env.state = gameState;
        env.highScorePath = "";
        env.lab = settings;
        env.startNewGame();
    }
    std::vector<const Dummy*> dummies() const {
        std::vector<const Dummy*> found;
        for (const Element* e : env.elements)
            if (e != nullptr && e->active && !e->dead && e->isA(kCodeDummy))
                found.push_back(static_cast<const Dummy*>(e));
        return found;
    }
    PlayerShip& ship() { return *static_cast<PlayerShip*>(env.findElement(kCategoryPlayer, 1)); }
    KeySource keys;
    Input input{&keys};
    Level level;
    Graphics graphics{false};
    GameEnv env{&input, &graphics, &level};
};

TEST_F(LabWorld, DummiesStandStillNeverFireAndComeBackAfterTheyFall) {
    LabSettings settings;
    settings.dummies = 3;
    settings.enemies = 0;
    start(settings);
    for (int f = 0; f < 3; ++f)
        env.runFrame();
    ASSERT_EQ(dummies().size(), 3u);
    const Dummy* first = dummies()[0];
    const int32_t x = first->x;
    const int32_t y = first->y;
    for (int f = 0; f < 400; ++f)
        env.runFrame();
    EXPECT_EQ(std::tuple(first->x, first->y), std::tuple(x, y));
    for (const Element* e : env.elements)
        EXPECT_FALSE(e != nullptr && e->active && e->isA(kCodeEnemyShot));
    // Destroyed: counted as a kill, and back at its place 75 frames later.
    const_cast<Dummy*>(first)->postMessage(kMsgHit, 5);
    env.runFrame();
    EXPECT_EQ(dummies().size(), 2u);
    EXPECT_EQ(env.counters.kills, 1);
    EXPECT_EQ(gameState->score, 1 + 6 * 16);
    for (int f = 0; f < Dummy::kReturnFrames; ++f)
        env.runFrame();
    EXPECT_EQ(dummies().size(), 3u);
    // Fewer wanted: the others leave without scoring.
    settings.dummies = 1;
    env.changeLab(settings);
    env.runFrame();
    env.runFrame();
    EXPECT_EQ(dummies().size(), 1u);
    EXPECT_EQ(env.counters.kills, 1);
}

TEST_F(LabWorld, AnInvulnerableShipCountsItsHitsAndKeepsItsLives) {
    LabSettings settings;
    settings.invulnerable = 1;
    settings.lives = 2;
    start(settings);
    EXPECT_EQ(gameState->lives, 2);
    env.runFrame();
    for (int hit = 1; hit <= 3; ++hit) {
        ship().invulnFrames = 0;
        ship().postMessage(kMsgHit, 1);
        env.runFrame();
        EXPECT_EQ(env.counters.hitsTaken, hit);
    }
    EXPECT_EQ(gameState->lives, 2);
    settings.invulnerable = 0;
    env.changeLab(settings);
    ship().invulnFrames = 0;
    ship().postMessage(kMsgHit, 1);
    env.runFrame();
    EXPECT_EQ(gameState->lives, 1);
}

// The stiffest, loosest and longest chains, swung for a long while: every node stays within a
// bounded distance of the ship (and, under the sanitizers, no arithmetic overflows).
TEST_F(LabWorld, ExtremeChainsStayBounded) {
    const struct {
        int32_t nodes, rest, spring, damping, deadzone;
    } chains[] = {
        {64, 64, 64, 256, 0}, {64, 8192, 64, 1, 0}, {2, 64, 1, 256, 256}, {64, 8192, 64, 256, 0}};
    for (const auto& c : chains) {
        LabSettings settings;
        settings.nodes = c.nodes;
        settings.orbs = 0;
        settings.rest = c.rest;
        settings.spring = c.spring;
        settings.damping = c.damping;
        settings.deadzone = c.deadzone;
        settings.invulnerable = 1;
        start(settings);
        for (int f = 0; f < 6000; ++f) {
            keys.held = {kKeyX};
            if (f % 90 < 45) keys.held.insert(f % 180 < 90 ? kKeyUp : kKeyDown);
            if (f % 500 > 450) keys.held = {};
            env.runFrame();
            for (int i = 0; i < c.nodes; ++i) {
                const MoveRec& n = ship().nodes[i];
                ASSERT_LT(std::abs(n.x - ship().x), toFixed(1 << 14)) << c.rest << " node " << i;
                ASSERT_LT(std::abs(n.y - ship().y), toFixed(1 << 14)) << c.rest << " node " << i;
            }
        }
    }
}

} // namespace
