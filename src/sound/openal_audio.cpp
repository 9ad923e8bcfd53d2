// Loads the ten wave files, plays them on OpenAL sources, loops the ambient sound.
#include "sound/openal_audio.h"

#ifndef __EMSCRIPTEN__
#include <dlfcn.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/regular_file.h"
#include "base/wave_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace {

const char* const kEffectNames[kSoundCount] = {"pshot", "eshot", "boom", "crash", "ehit",
                                               "die",   "level", "lock", "orbhit"};

// Without a sound device the audio libraries each report their failed attempts on standard
// error; the game says it once itself. OpenAL Soft listens to its log level, and ALSA (loaded
// by OpenAL) to an error handler, set here when the library is present.
#ifndef __EMSCRIPTEN__
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif

void quietLibraries() {
#ifndef __EMSCRIPTEN__
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (alsa == nullptr) alsa = dlopen("libasound.so.2", RTLD_LAZY);
    if (alsa == nullptr) return;
    auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) setHandler(ignoreAlsaError);
        // The library stays loaded: OpenAL keeps using it, with the handler in place.
#endif
}

} // namespace

OpenAlAudio::OpenAlAudio(std::string soundFolder, ALCdevice* device, const ALCint* attributes)
    : folder_(std::move(soundFolder)), device_(device), attributes_(attributes) {}

OpenAlAudio::~OpenAlAudio() {
    stop();
}

bool OpenAlAudio::isLoaded(SoundId id) const {
    return id >= 0 && id < kSoundCount && effects_[id].buffer != 0;
}

// A missing device leaves everything silent; a missing file leaves only its sound silent.
void OpenAlAudio::start() {
    if (context_ != nullptr) return;
    if (device_ == nullptr) {
        quietLibraries();
        device_ = alcOpenDevice(nullptr);
        ownsDevice_ = device_ != nullptr;
        // OpenAL Soft opens its silent "No Output" device when it finds no real one.
        const char* name = device_ ? alcGetString(device_, ALC_DEVICE_SPECIFIER) : nullptr;
        if (name == nullptr || std::strcmp(name, "No Output") == 0)
            std::fputs("orvane: no sound device: playing silent\n", stderr);
    }
    if (device_ == nullptr) return;
    context_ = alcCreateContext(device_, attributes_);
    if (context_ == nullptr || alcMakeContextCurrent(context_) == ALC_FALSE) {
        stop();
        return;
    }
    loadChannel(ambient_, "ambient");
    if (ambient_.source != 0) {
        setChannel(ambient_, kAmbientRate, 0, 100);
        alSourcei(ambient_.source, AL_LOOPING, AL_TRUE);
        alSourcePlay(ambient_.source);
    }
    for (int id = 0; id < kSoundCount; ++id)
        loadChannel(effects_[id], kEffectNames[id]);
    applyAmbientLevel();
    alListenerf(AL_GAIN, muted_ ? 0.0f : 1.0f);
}

void OpenAlAudio::applyAmbientLevel() {
    if (ambient_.source != 0) setChannel(ambient_, kAmbientRate, kAmbientVolume, ambientLevel_);
}

void OpenAlAudio::setLevels(int32_t effects, int32_t ambient, bool muted) {
    effectsLevel_ = std::clamp(effects, 0, 100);
    ambientLevel_ = std::clamp(ambient, 0, 100);
    muted_ = muted;
    if (context_ == nullptr) return;
    applyAmbientLevel();
    alListenerf(AL_GAIN, muted_ ? 0.0f : 1.0f);
}

void OpenAlAudio::setPaused(bool paused) {
    if (context_ == nullptr) return;
    for (Channel& channel : effects_)
        if (channel.source != 0 && paused) alSourceStop(channel.source);
    if (ambient_.source == 0) return;
    if (paused) {
        alSourcePause(ambient_.source);
    } else {
        alSourcePlay(ambient_.source);
    }
}

void OpenAlAudio::loadChannel(Channel& channel, const char* name) {
    std::vector<int16_t> pcm;
    int rate = 0;
    const std::string path = folder_ + "/" + name + ".wav";
    if (!decodeWave(path, pcm, rate) || rate <= 0) {
        // A missing sound is simply not heard; one that is there and cannot be played is named.
        std::error_code unknown;
        if (std::filesystem::exists(path, unknown))
            std::fprintf(stderr, "orvane: '%s' is not a sound the game can play; it stays silent\n",
                         quoteForMessage(path).c_str());
        return;
    }
    alGetError();
    alGenBuffers(1, &channel.buffer);
    alBufferData(channel.buffer, AL_FORMAT_MONO16, pcm.data(),
                 static_cast<ALsizei>(pcm.size() * sizeof(int16_t)), rate);
    alGenSources(1, &channel.source);
    if (alGetError() != AL_NO_ERROR) {
        releaseChannel(channel);
        return;
    }
    channel.fileRate = rate;
    alSourcei(channel.source, AL_BUFFER, static_cast<ALint>(channel.buffer));
    // Every sound plays centred: no position, no distance fading.
    alSourcei(channel.source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(channel.source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(channel.source, AL_ROLLOFF_FACTOR, 0.0f);
}

// frequency in Hz, 0 or less for the file's own rate; volume 0 to 100, scaled by the player's
// level in percent.
void OpenAlAudio::setChannel(Channel& channel, float frequency, int32_t volume, int32_t level) {
    float pitch = frequency > 0.0f ? frequency / static_cast<float>(channel.fileRate) : 1.0f;
    alSourcef(channel.source, AL_PITCH, pitch);
    const float gain = static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f;
    alSourcef(channel.source, AL_GAIN, gain * static_cast<float>(level) / 100.0f);
}

// Playing a sound cuts off its own previous playback and starts it from the beginning.
void OpenAlAudio::play(SoundId id, int32_t volume, int32_t rate) {
    if (context_ == nullptr || !isLoaded(id)) return;
    Channel& channel = effects_[id];
    setChannel(channel, static_cast<float>(rate) * 441.0f, volume, effectsLevel_);
    alSourceStop(channel.source);
    alSourceRewind(channel.source);
    alSourcePlay(channel.source);
}

void OpenAlAudio::releaseChannel(Channel& channel) {
    if (channel.source != 0) {
        alSourceStop(channel.source);
        alDeleteSources(1, &channel.source);
    }
    if (channel.buffer != 0) alDeleteBuffers(1, &channel.buffer);
    channel = Channel{};
}

void OpenAlAudio::stop() {
    if (context_ != nullptr) {
        releaseChannel(ambient_);
        for (Channel& channel : effects_)
            releaseChannel(channel);
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
        context_ = nullptr;
    }
    if (ownsDevice_ && device_ != nullptr) alcCloseDevice(device_);
    if (ownsDevice_) device_ = nullptr;
    ownsDevice_ = false;
}
