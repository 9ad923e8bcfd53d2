// Sound output on OpenAL: a buffer per sound file, a source per channel, pitch for the rate.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <string>

#include "base/sound.h"

class OpenAlAudio : public SoundOutput {
  public:
    // soundFolder holds the ten wave files. device: an open device to play on, not owned (tests
    // use a loopback device); null opens the default device. attributes go to its context.
    explicit OpenAlAudio(std::string soundFolder = "data/sfx", ALCdevice* device = nullptr,
                         const ALCint* attributes = nullptr);
    ~OpenAlAudio() override;
    OpenAlAudio(const OpenAlAudio&) = delete;
    OpenAlAudio& operator=(const OpenAlAudio&) = delete;

    void start() override;
    void play(SoundId id, int32_t volume, int32_t rate) override;
    void stop() override;

    // The player's levels in percent of the game's own volumes, and mute; a silent or missing
    // device stays silent.
    void setLevels(int32_t effects, int32_t ambient, bool muted) override;
    // Paused: the effects stop and the ambient loop holds where it is until resumed.
    void setPaused(bool paused) override;

    // A device and context exist; without them every call is silent.
    bool isOpen() const { return context_ != nullptr; }
    // The effect's file was loaded.
    bool isLoaded(SoundId id) const;
    bool ambientLoaded() const { return ambient_.buffer != 0; }

    static constexpr int32_t kAmbientRate = 11025;
    static constexpr int32_t kAmbientVolume = 40;

  private:
    struct Channel {
        ALuint buffer = 0;
        ALuint source = 0;
        int fileRate = 0;
    };

    void loadChannel(Channel& channel, const char* name);
    void setChannel(Channel& channel, float frequency, int32_t volume, int32_t level);
    void releaseChannel(Channel& channel);

    void applyAmbientLevel();

    std::string folder_;
    int32_t effectsLevel_ = 100;
    int32_t ambientLevel_ = 100;
    bool muted_ = false;
    ALCdevice* device_;
    const ALCint* attributes_;
    bool ownsDevice_ = false;
    ALCcontext* context_ = nullptr;
    Channel ambient_;
    Channel effects_[kSoundCount];
};
