// playSound: every sound started is recorded, and heard when an audio output is installed.
#include "base/sound.h"

namespace {
SoundOutput* output = nullptr;
PlayedSound played[SoundRecord::kCapacity];
int playedCount = 0;
} // namespace

void playSound(SoundId id, int32_t volume, int32_t rate) {
    // Past the capacity the oldest entries are kept and later ones are not listed.
    if (playedCount < SoundRecord::kCapacity) played[playedCount++] = {id, volume, rate};
    if (output != nullptr) output->play(id, volume, rate);
}

SoundOutput* soundOutput() {
    return output;
}

void setSoundOutput(SoundOutput* newOutput) {
    output = newOutput;
}

void SoundRecord::clear() {
    playedCount = 0;
}

int SoundRecord::count() {
    return playedCount;
}

const PlayedSound& SoundRecord::at(int index) {
    return played[index];
}
