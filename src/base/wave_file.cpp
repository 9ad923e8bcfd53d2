// Walks the RIFF chunks for "fmt " and "data" and mixes the channels down.
#include "base/wave_file.h"

#include "base/regular_file.h"

namespace {

// Sound files are small; anything larger is not one of ours.
constexpr size_t kMaxWaveBytes = size_t{64} << 20;

uint32_t little(std::string_view bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

struct Format {
    uint32_t channels = 0;
    uint32_t rate = 0;
    uint32_t bits = 0;
};

// One sample of one channel as a signed 16-bit value.
int32_t sampleAt(std::string_view data, size_t at, uint32_t bits) {
    if (bits == 8) return (static_cast<int32_t>(static_cast<uint8_t>(data[at])) - 128) * 256;
    return static_cast<int16_t>(little(data, at, 2));
}

} // namespace

bool decodeWaveBytes(std::string_view bytes, std::vector<int16_t>& samples, int& rate) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return false;
    Format format;
    std::string_view data;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const size_t size = little(bytes, at + 4, 4);
        const std::string_view body = bytes.substr(at + 8, size);
        if (id == "fmt " && body.size() >= 16 && little(body, 0, 2) == 1)
            format = {little(body, 2, 2), little(body, 4, 4), little(body, 14, 2)};
        if (id == "data") data = body;
        at += 8 + size + (size & 1);
    }
    if (format.channels == 0 || format.rate == 0 || (format.bits != 8 && format.bits != 16))
        return false;
    const size_t frameBytes = format.channels * format.bits / 8;
    const size_t frames = data.size() / frameBytes;
    if (frames == 0) return false;
    samples.resize(frames);
    for (size_t f = 0; f < frames; ++f) {
        int32_t sum = 0;
        for (uint32_t c = 0; c < format.channels; ++c)
            sum += sampleAt(data, f * frameBytes + c * format.bits / 8, format.bits);
        samples[f] = static_cast<int16_t>(sum / static_cast<int32_t>(format.channels));
    }
    rate = static_cast<int>(format.rate);
    return true;
}

bool decodeWave(const std::string& path, std::vector<int16_t>& samples, int& rate) {
    std::string bytes;
    return readRegularFile(path.c_str(), kMaxWaveBytes, bytes) &&
           decodeWaveBytes(bytes, samples, rate);
}
