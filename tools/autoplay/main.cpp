// orvane_autoplay: plays the game headless with a simple policy and writes what it held as an
// input log, for the recorded games that guard the game's behaviour. The policies: a careful
// player who keeps clear of enemy shots and lines up with enemies, and one that plays with the
// joystick only.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game_run.h"
#include "app/run_files.h"
#include "base/sound.h"
#include "game/game_env.h"
#include "game/setup.h"
#include "input/controls.h"
#include "input/input_log.h"
#include "world/element.h"
#include "world/game_state.h"
#include "world/level.h"

namespace {

// Which inputs a policy holds: each control's key, or its first joystick input.
struct Controls {
    int up, down, left, right, fire, link;
};
Controls controlsOf(bool joystick) {
    const auto input = [joystick](Control c) {
        return joystick ? bindingOf(c).joystick[0] : bindingOf(c).key;
    };
    return {input(Control::kUp),    input(Control::kDown), input(Control::kLeft),
            input(Control::kRight), input(Control::kFire), input(Control::kLink)};
}

class Autoplayer : public InputSource {
  public:
    Autoplayer(Controls controls, bool swingChain) : c_(controls), swing_(swingChain) {}
    void readState(uint8_t keys[256], uint8_t joy[10]) override {
        writeHeldInputs(decide(), keys, joy);
        ++frame_;
    }

  private:
    HeldInputs decide() const {
        HeldInputs held;
        // Fire, but let go now and then so a lost game restarts.
        if (frame_ % 200 < 196) held.set(c_.fire);
        if (swing_ && frame_ % 500 >= 300 && frame_ % 500 < 380) held.set(c_.link);
        const Element* ship = find(kCodePlayerShip);
        if (ship == nullptr) return held;
        const int32_t sx = ship->x >> 8;
        const int32_t sy = ship->y >> 8;
        int32_t targetY = 120;
        int32_t danger = 0;
        for (int i = 0; i < GameEnv::kSlots; ++i) {
            const Element* e = gameEnv->elements[i];
            if (e == nullptr || e->dead || e->isNew) continue;
            const int32_t ex = e->x >> 8;
            const int32_t ey = e->y >> 8;
            if (e->isA(kCodeEnemy) && ex > sx) targetY = ey;
            // A shot or an enemy coming close pushes the ship away from it.
            const bool threat = e->isA(kCodeEnemyShot) || e->isA(kCodeEnemy);
            if (threat && std::abs(ex - sx - 10) < 36 && std::abs(ey - sy) < 22)
                danger = ey >= sy ? -1 : 1;
        }
        int32_t wantY = danger != 0 ? sy + 30 * danger : targetY;
        // Keep within the open part of the cave just ahead.
        int32_t top = 0;
        int32_t bottom = 0;
        openBand(sx, top, bottom);
        if (wantY < top + 4) wantY = top + 4;
        if (wantY > bottom - 24) wantY = bottom - 24;
        if (wantY < sy - 3) held.set(c_.up);
        if (wantY > sy + 3) held.set(c_.down);
        if (sx > 60) held.set(c_.left);
        if (sx < 30) held.set(c_.right);
        return held;
    }
    // The rows free of rock over the columns from x to 56 pixels ahead, in screen pixels.
    static void openBand(int32_t x, int32_t& top, int32_t& bottom) {
        top = Level::kBandTop;
        bottom = Level::kBandTop + 8 * Level::kRows;
        const int32_t scroll = gameLevel->scrollX >> 8;
        for (int32_t px = x; px <= x + 56; px += 8) {
            const int column = (px + scroll) / 8;
            if (column < 0 || column >= Level::kColumns) continue;
            for (int row = 0; row < Level::kRows; ++row) {
                if (gameLevel->tile(column, row) <= 0) continue;
                const int32_t rowTop = Level::kBandTop + 8 * row;
                if (row < Level::kRows / 2)
                    top = std::max(top, rowTop + 8);
                else
                    bottom = std::min(bottom, rowTop);
            }
        }
    }
    static const Element* find(uint32_t code) {
        for (int i = 0; i < GameEnv::kSlots; ++i) {
            const Element* e = gameEnv->elements[i];
            if (e != nullptr && !e->dead && e->isA(code)) return e;
        }
        return nullptr;
    }
    Controls c_;
    bool swing_;
    int64_t frame_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: orvane_autoplay careful|joystick SEED FRAMES OUT.log\n");
        return 2;
    }
    const std::string policy = argv[1];
    Autoplayer player(controlsOf(policy == "joystick"), policy == "joystick");
    InputLogRecorder recorder;
    std::string error;
    const auto seed = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
    if (!recorder.open(argv[4], seed, error)) {
        std::fprintf(stderr, "orvane_autoplay: %s\n", error.c_str());
        return 1;
    }
    SetupOptions setup;
    setup.seed = seed;
    setup.inputSource = &player;
    setup.uploadTextures = false;
    setup.highScorePath = "";
    setupGame(setup);
    gameInput->setRecorder(&recorder);
    int32_t best = 0;
    {
        RunFiles nothing; // the recorder above is the one output
        GameRun run(nothing, std::atol(argv[3]), GameRun::Table::Skip);
        while (run.step())
            best = std::max(best, gameEnv->state->level);
    }
    gameInput->setRecorder(nullptr);
    cleanupGame();
    std::printf("highest level %d\n", best);
    return recorder.close() ? 0 : 1;
}
