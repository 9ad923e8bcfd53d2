// WAV encoding: RIFF header, "fmt " chunk for PCM and one "data" chunk.
#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace assetgen {

namespace {

void put(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
    }
}

void putTag(std::vector<unsigned char>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<unsigned char>(tag[i]));
    }
}

} // namespace

std::vector<unsigned char> WavWriter::encode(const std::vector<double>& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<unsigned char> out;
    putTag(out, "RIFF");
    put(out, 36 + dataBytes, 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put(out, 16, 4);        // chunk size
    put(out, 1, 2);         // PCM
    put(out, 1, 2);         // mono
    put(out, kRate, 4);     // sample rate
    put(out, kRate * 2, 4); // bytes per second
    put(out, 2, 2);         // block align
    put(out, 16, 2);        // bits per sample
    putTag(out, "data");
    put(out, dataBytes, 4);
    for (double s : samples) {
        const long q = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
        put(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(q)) & 0xFFFF, 2);
    }
    return out;
}

bool WavWriter::save(const std::vector<double>& samples, const std::string& path) {
    const std::vector<unsigned char> bytes = encode(samples);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace assetgen
