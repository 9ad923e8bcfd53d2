// The game's one way to make a sound: ids, playSound, and the record of every sound started.
#pragma once

#include <cstdint>

enum SoundId : int32_t {
    kSoundPshot = 0,
    kSoundEshot = 1,
    kSoundBoom = 2,
    kSoundCrash = 3,
    kSoundEhit = 4,
    kSoundDie = 5,
    kSoundLevel = 6,
    kSoundLock = 7,
    kSoundOrbhit = 8,
    kSoundCount = 9
};

// Where sounds go when an audio device exists; none means silence.
class SoundOutput {
  public:
    virtual ~SoundOutput() = default;
    // Opens the device, loads the ten sounds and starts the ambient loop.
    virtual void start() = 0;
    // volume 0-100, rate in percent of 44100 Hz.
    virtual void play(SoundId id, int32_t volume, int32_t rate) = 0;
    // Releases the device at shut-down.
    virtual void stop() = 0;
    // The player's levels in percent of the game's own volumes, and mute; an output without
    // levels plays as it does.
    virtual void setLevels(int32_t /*effects*/, int32_t /*ambient*/, bool /*muted*/) {}
    // While paused the effects stop and the ambient loop holds.
    virtual void setPaused(bool /*paused*/) {}
};

struct PlayedSound {
    int32_t id;
    int32_t volume;
    int32_t rate;
};

// Restarts the sound's channel with the volume and rate; recorded whether or not it is heard.
void playSound(SoundId id, int32_t volume, int32_t rate);
void setSoundOutput(SoundOutput* output);
// Where sounds go now (null: silence), so a silent stretch can put it back.
SoundOutput* soundOutput();

// The sounds started since the last take, for the state dump (bounded; the oldest are kept).
class SoundRecord {
  public:
    static constexpr int kCapacity = 256;
    static void clear();
    static int count();
    static const PlayedSound& at(int index);
};
