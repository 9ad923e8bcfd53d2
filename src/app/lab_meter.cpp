// Measuring the weapon over a run: counters from the world, orb distances from the ship.
#include "app/lab_meter.h"

#include <cmath>

#include "elements/player_ship.h"
#include "game/game_env.h"
#include "world/game_state.h"

namespace {

const PlayerShip* shipOf(const GameEnv& env) {
    return static_cast<const PlayerShip*>(
        env.findElement(kCategoryPlayer, typeOf(kCodePlayerShip)));
}

} // namespace

void LabMeter::afterFrame(const GameEnv& env, std::FILE* csv) {
    if (env.state->gameOverFrames > 0) return;
    ++frames_;
    const PlayerShip* ship = shipOf(env);
    if (ship != nullptr && ship->orbCount > 0) {
        // An orb's centre is its node; distances are from where the chain hangs.
        const double ax = ship->x + PlayerShip::kChainAnchor.x;
        const double ay = ship->y + PlayerShip::kChainAnchor.y;
        double sum = 0.0;
        for (int i = 0; i < ship->orbCount; ++i) {
            const double dx = ship->orbs[i].x + PlayerShip::kOrbInset - ax;
            const double dy = ship->orbs[i].y + PlayerShip::kOrbInset - ay;
            sum += std::sqrt(dx * dx + dy * dy) / kFixOne;
        }
        distanceSum_ += sum / ship->orbCount;
        ++measured_;
    }
    if (csv != nullptr && frames_ % kFramesPerSecond == 0) writeRow(env, csv);
}

void LabMeter::finish(const GameEnv& env, std::FILE* csv) {
    if (csv != nullptr && (frames_ % kFramesPerSecond != 0 || !headerWritten_)) writeRow(env, csv);
}

LabNumbers LabMeter::numbers(const GameEnv& env) const {
    const LabCounters& c = env.counters;
    LabNumbers n;
    n.frames = frames_;
    n.kills = c.kills;
    n.absorbed = c.absorbed;
    n.orbShots = c.orbShots;
    n.hitsTaken = c.hitsTaken;
    n.locks = c.locks;
    n.meanLockFrames = c.locks > 0 ? static_cast<double>(c.lockFrames) / c.locks : 0.0;
    n.lastLockFrames = c.lastLockFrames;
    n.meanOrbDistance = measured_ > 0 ? distanceSum_ / measured_ : 0.0;
    return n;
}

std::string LabMeter::csvHeader() const {
    return std::string(runName_.empty() ? "" : "run,") +
           "second,frames,kills,absorbed,orb_shots,hits_taken,locks,mean_lock_frames,"
           "mean_orb_distance\n";
}

std::string LabMeter::csvRow(int64_t second, const LabNumbers& n) const {
    char text[256];
    std::snprintf(text, sizeof text, "%lld,%lld,%lld,%lld,%lld,%lld,%lld,%.2f,%.2f\n",
                  static_cast<long long>(second), static_cast<long long>(n.frames),
                  static_cast<long long>(n.kills), static_cast<long long>(n.absorbed),
                  static_cast<long long>(n.orbShots), static_cast<long long>(n.hitsTaken),
                  static_cast<long long>(n.locks), n.meanLockFrames, n.meanOrbDistance);
    return runName_.empty() ? std::string(text) : runName_ + "," + text;
}

void LabMeter::writeRow(const GameEnv& env, std::FILE* csv) {
    if (!headerWritten_) std::fputs(csvHeader().c_str(), csv);
    headerWritten_ = true;
    std::fputs(csvRow(++rows_, numbers(env)).c_str(), csv);
}
