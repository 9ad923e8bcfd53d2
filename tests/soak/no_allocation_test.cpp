// Play must not touch the heap once the element table holds retired elements of every kind: this
// program replaces the global allocation functions to count every call made while play runs. (No
// type of the game asks for over-aligned memory, so the aligned forms are left as they are.)
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "game/game_env.h"
#include "game/setup.h"
#include "support/scratch_dir.h"
#include "support/scripted_player.h"
#include "world/element.h"
#include "world/game_state.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

// One place every allocation passes, kept out of line so a debugger can stop on it.
[[gnu::noinline]] void noteAllocation() {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
}

void* allocate(std::size_t size) {
    noteAllocation();
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    noteAllocation();
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    noteAllocation();
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

constexpr int kWarmUpFrames = 10000;
constexpr int kCountedFrames = 30000;
constexpr int kReserve = 40;

bool holdsRetired(uint32_t code) {
    for (const Element* e : gameEnv->elements) {
        if (e != nullptr && !e->active && e->category + e->type == code) return true;
    }
    return false;
}

// Elements of every kind made far beyond the left edge, where they end at once: the table then
// holds a reserve of retired elements, as a long game leaves it after its busiest moments.
void primeTable() {
    for (uint32_t code : {kCodePlayerShot, kCodeExplosion, kCodeEnemyShot, kCodeEnemy}) {
        for (int i = 0; i < kReserve; ++i)
            gameEnv->addElement(code, -4000, 100, 0, 0, 0);
    }
}

// The headless game driven by the scripted player; the best score goes to a scratch folder.
class ScriptedGame : public ::testing::Test {
  protected:
    void SetUp() override {
        setupGame({.seed = 4242,
                   .inputSource = &player_,
                   .uploadTextures = false,
                   .highScorePath = scratch_.file("highscore.dat")});
    }
    void TearDown() override { cleanupGame(); }

    ScriptedPlayer player_;
    ScratchDir scratch_;
};

// A new game empties the table on purpose, and each level brings more enemies than the last, so
// here the player never runs out of lives and the level stays put: deaths, respawns, the chain and
// every kind of element keep coming, and once the table has seen the busiest moments play must
// reuse retired elements only.
TEST_F(ScriptedGame, SteadyPlayAfterWarmUpNeverAllocates) {
    GameState& s = *gameEnv->state;
    s.lives = 1000000;
    s.level = 12;
    s.killsToNextLevel = 1000000000;
    primeTable();

    for (int i = 0; i < kWarmUpFrames; ++i)
        ASSERT_TRUE(gameEnv->runFrame());
    for (uint32_t code : {kCodePlayerShot, kCodeExplosion, kCodeEnemyShot, kCodeEnemy})
        EXPECT_TRUE(holdsRetired(code)) << std::hex << "no retired element of kind " << code;
    const int32_t livesBefore = s.lives;
    const int32_t scoreBefore = s.score;

    counting = true;
    for (int i = 0; i < kCountedFrames; ++i)
        gameEnv->runFrame();
    counting = false;

    EXPECT_EQ(allocations.load(), 0) << "heap allocations during " << kCountedFrames << " frames";
    EXPECT_EQ(s.gameOverFrames, 0);
    EXPECT_LT(s.lives, livesBefore) << "the ship was never hit: play too gentle";
    EXPECT_GT(s.score, scoreBefore);
}

} // namespace
