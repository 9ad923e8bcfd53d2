// Sound output through OpenAL Soft's loopback device, with small wave files written here.
#include "app/openal_audio.h"

#include <AL/alext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void put16(std::ofstream& out, uint16_t v) {
    out.put(char(v & 0xFF)).put(char(v >> 8));
}
void put32(std::ofstream& out, uint32_t v) {
    put16(out, uint16_t(v & 0xFFFF));
    put16(out, uint16_t(v >> 16));
}

// A 16-bit PCM wave file with the given channels and samples (interleaved).
void writeWave(const std::filesystem::path& path, int rate, int channels,
               const std::vector<int16_t>& samples) {
    std::ofstream out(path, std::ios::binary);
    uint32_t bytes = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + bytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);
    put16(out, uint16_t(channels));
    put32(out, uint32_t(rate));
    put32(out, uint32_t(rate * channels * 2));
    put16(out, uint16_t(channels * 2));
    put16(out, 16);
    out.write("data", 4);
    put32(out, bytes);
    for (int16_t s : samples)
        put16(out, uint16_t(s));
}

// A steady level for some frames, then silence for some more.
std::vector<int16_t> levelThenSilence(int16_t level, int loud, int quiet) {
    std::vector<int16_t> samples(size_t(loud + quiet), 0);
    std::fill(samples.begin(), samples.begin() + loud, level);
    return samples;
}

class LoopbackAudio : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("orvane_audio_" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(folder_);
        ASSERT_TRUE(alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback"));
        openLoopback_ = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
            alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
        render_ = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(
            alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
        device_ = openLoopback_(nullptr);
        ASSERT_NE(device_, nullptr);
    }
    void TearDown() override {
        audio_.reset();
        if (device_ != nullptr) alcCloseDevice(device_);
        std::filesystem::remove_all(folder_);
    }

    void startAudio() {
        audio_ = std::make_unique<OpenAlAudio>(folder_.string(), device_, attributes_);
        audio_->start();
        ASSERT_TRUE(audio_->isOpen());
    }
    // The loudest sample of both channels over the next frames of output.
    int peak(int frames) {
        std::vector<int16_t> out(size_t(frames) * 2);
        render_(device_, out.data(), frames);
        int most = 0;
        for (int16_t s : out)
            most = std::max(most, std::abs(int(s)));
        return most;
    }
    // How many blocks of 441 frames pass until the output falls silent.
    int blocksUntilSilent() {
        for (int block = 0; block < 200; ++block)
            if (peak(441) < 50) return block;
        return 200;
    }

    std::filesystem::path folder_;
    LPALCLOOPBACKOPENDEVICESOFT openLoopback_ = nullptr;
    LPALCRENDERSAMPLESSOFT render_ = nullptr;
    ALCdevice* device_ = nullptr;
    const ALCint attributes_[7] = {ALC_FORMAT_CHANNELS_SOFT,
                                   ALC_STEREO_SOFT,
                                   ALC_FORMAT_TYPE_SOFT,
                                   ALC_SHORT_SOFT,
                                   ALC_FREQUENCY,
                                   44100,
                                   0};
    std::unique_ptr<OpenAlAudio> audio_;
};

TEST_F(LoopbackAudio, PlayedSoundIsHeardAndEnds) {
    writeWave(folder_ / "pshot.wav", 44100, 1, levelThenSilence(8000, 4410, 0));
    startAudio();
    EXPECT_TRUE(audio_->isLoaded(kSoundPshot));
    EXPECT_FALSE(audio_->isLoaded(kSoundBoom));
    EXPECT_LT(peak(1000), 50); // nothing before it is played
    audio_->play(kSoundPshot, 100, 100);
    EXPECT_GT(peak(1000), 2000);
    EXPECT_LT(peak(10000), 8000 + 100);
    EXPECT_LT(peak(1000), 50); // 0.1 s of sound is over
}

TEST_F(LoopbackAudio, RestartedChannelStartsFromItsBeginning) {
    writeWave(folder_ / "boom.wav", 44100, 1, levelThenSilence(8000, 2205, 8820));
    startAudio();
    audio_->play(kSoundBoom, 100, 100);
    EXPECT_GT(peak(1500), 2000);
    peak(1000);
    EXPECT_LT(peak(2000), 50); // well into the silent part
    audio_->play(kSoundBoom, 100, 100);
    EXPECT_GT(peak(1500), 2000); // the loud start again, not the rest of the silence
}

TEST_F(LoopbackAudio, HigherRatePlaysFaster) {
    writeWave(folder_ / "ehit.wav", 44100, 1, levelThenSilence(8000, 8820, 0));
    startAudio();
    audio_->play(kSoundEhit, 100, 100);
    int normal = blocksUntilSilent();
    audio_->play(kSoundEhit, 100, 150);
    int fast = blocksUntilSilent();
    audio_->play(kSoundEhit, 100, 50);
    int slow = blocksUntilSilent();
    // 0.2 s: 20 blocks at 100, about 13.3 at 150 and 40 at 50.
    EXPECT_NEAR(normal, 20, 1);
    EXPECT_NEAR(fast, 14, 1);
    EXPECT_NEAR(slow, 40, 1);
}

TEST_F(LoopbackAudio, VolumeScalesAndDifferentSoundsOverlap) {
    writeWave(folder_ / "pshot.wav", 44100, 1, levelThenSilence(8000, 44100, 0));
    writeWave(folder_ / "eshot.wav", 44100, 1, levelThenSilence(4000, 44100, 0));
    startAudio();
    audio_->play(kSoundPshot, 100, 100);
    peak(500);
    int full = peak(500);
    audio_->play(kSoundPshot, 50, 100);
    peak(500);
    int half = peak(500);
    EXPECT_NEAR(double(half) / full, 0.5, 0.05);
    audio_->play(kSoundPshot, 100, 100);
    audio_->play(kSoundEshot, 100, 100);
    peak(500);
    int both = peak(500);
    EXPECT_NEAR(double(both) / full, 1.5, 0.08);
}

TEST_F(LoopbackAudio, AmbientLoopsQuietlyAtItsOwnRate) {
    // 0.05 s at 11025 Hz: without the loop it would end after 2205 output frames.
    writeWave(folder_ / "ambient.wav", 11025, 1, levelThenSilence(8000, 551, 0));
    writeWave(folder_ / "pshot.wav", 44100, 1, levelThenSilence(8000, 44100, 0));
    startAudio();
    ASSERT_TRUE(audio_->ambientLoaded());
    int ambient = 0;
    for (int i = 0; i < 10; ++i)
        ambient = std::max(ambient, peak(4410));
    EXPECT_GT(ambient, 500);
    EXPECT_GT(peak(4410), 500); // still going after a second
    audio_->stop();
    peak(1000); // a stopped source fades out over a few frames
    audio_->play(kSoundPshot, 100, 100);
    EXPECT_LT(peak(1000), 50);
}

TEST_F(LoopbackAudio, AmbientIsAtFortyPercent) {
    writeWave(folder_ / "ambient.wav", 11025, 1, levelThenSilence(8000, 11025, 0));
    writeWave(folder_ / "pshot.wav", 44100, 1, levelThenSilence(8000, 44100, 0));
    startAudio();
    peak(500);
    int ambient = peak(500);
    audio_->play(kSoundPshot, 100, 100);
    peak(500);
    int both = peak(500);
    EXPECT_NEAR(double(ambient) / (both - ambient), 0.4, 0.04);
}

TEST_F(LoopbackAudio, MissingFilesStaySilent) {
    writeWave(folder_ / "lock.wav", 44100, 1, levelThenSilence(8000, 4410, 0));
    startAudio();
    EXPECT_FALSE(audio_->ambientLoaded());
    for (int id = 0; id < kSoundCount; ++id) {
        if (id != kSoundLock) audio_->play(static_cast<SoundId>(id), 100, 100);
    }
    EXPECT_LT(peak(4000), 50);
    audio_->play(kSoundLock, 100, 100);
    EXPECT_GT(peak(1000), 2000);
}

TEST_F(LoopbackAudio, StereoFileIsMixedToMonoAndABrokenFileSkipped) {
    std::vector<int16_t> stereo(2 * 4410, 6000);
    writeWave(folder_ / "die.wav", 44100, 2, stereo);
    std::ofstream broken(folder_ / "level.wav", std::ios::binary);
    broken << "RIFF not a wave";
    broken.close();
    startAudio();
    EXPECT_TRUE(audio_->isLoaded(kSoundDie));
    EXPECT_FALSE(audio_->isLoaded(kSoundLevel));
    audio_->play(kSoundDie, 100, 100);
    EXPECT_GT(peak(1000), 2000);
}

TEST(AudioWithoutDevice, NothingStartedIsSilentAndSafe) {
    OpenAlAudio audio("/nonexistent/folder");
    audio.play(kSoundBoom, 100, 100); // before start: nothing
    audio.stop();
    audio.stop();
    EXPECT_FALSE(audio.isOpen());
}

} // namespace
