// Keeping the orbs' recent paths and the last lock.
#include "app/lab_trace.h"

#include "elements/player_ship.h"
#include "game/game_env.h"

void LabTrace::sample(const GameEnv& env) {
    const auto* ship =
        static_cast<const PlayerShip*>(env.findElement(kCategoryPlayer, typeOf(kCodePlayerShip)));
    Sample s;
    if (ship != nullptr) {
        s.count = static_cast<int8_t>(ship->orbCount < kMostOrbs ? ship->orbCount : kMostOrbs);
        for (int i = 0; i < s.count; ++i) {
            s.orbs[i] = {static_cast<int16_t>(toPixel(ship->orbs[i].x + PlayerShip::kOrbInset)),
                         static_cast<int16_t>(toPixel(ship->orbs[i].y + PlayerShip::kOrbInset))};
        }
    }
    ring_[next_] = s;
    next_ = (next_ + 1) % kFrames;
    if (size_ < kFrames) ++size_;
    if (sinceLock_ >= 0 && ++sinceLock_ >= kFrames) sinceLock_ = -1;
    if (locksSeen_ >= 0 && env.counters.locks > locksSeen_) {
        lock_ = s;
        sinceLock_ = 0;
    }
    locksSeen_ = env.counters.locks;
}

void LabTrace::clear() {
    size_ = 0;
    next_ = 0;
    sinceLock_ = -1;
    locksSeen_ = -1;
}

std::vector<LabTrace::Sample> LabTrace::samples() const {
    std::vector<Sample> out;
    out.reserve(static_cast<size_t>(size_));
    for (int i = 0; i < size_; ++i)
        out.push_back(ring_[(next_ - size_ + i + kFrames) % kFrames]);
    return out;
}
