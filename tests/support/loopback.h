// OpenAL Soft's loopback device: a sound card whose output a test renders and measures.
#pragma once

#include <AL/alext.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

class Loopback {
  public:
    Loopback() {
        if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return;
        render_ = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(
            alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
        device = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
            alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"))(nullptr);
    }
    ~Loopback() {
        if (device != nullptr) alcCloseDevice(device);
    }
    Loopback(const Loopback&) = delete;
    Loopback& operator=(const Loopback&) = delete;

    // The loudest sample of both channels over the next frames of output.
    int peak(int frames) {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        render_(device, out.data(), frames);
        int most = 0;
        for (int16_t s : out)
            most = std::max(most, std::abs(static_cast<int>(s)));
        return most;
    }

    // 44100 frames a second of 16-bit stereo.
    static constexpr ALCint kFormat[] = {
        ALC_FREQUENCY,  44100, ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
        ALC_SHORT_SOFT, 0};
    ALCdevice* device = nullptr;

  private:
    LPALCRENDERSAMPLESSOFT render_ = nullptr;
};
