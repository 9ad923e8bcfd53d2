// Sound output through OpenAL Soft's loopback device, with small wave files written here.
#include "sound/openal_audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "support/loopback.h"
#include "support/run_program.h"

namespace {

std::string littleEndian(uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += char(value >> (8 * i) & 0xFF);
    return out;
}

// A 16-bit PCM wave file: a steady level for loud frames, then silence for quiet frames.
void writeWave(const std::filesystem::path& path, uint32_t rate, uint32_t channels, int16_t level,
               int loud, int quiet = 0) {
    const uint32_t bytes = uint32_t(loud + quiet) * channels * 2;
    std::string wave = "RIFF" + littleEndian(36 + bytes, 4) + "WAVEfmt " + littleEndian(16, 4) +
                       littleEndian(1, 2) + littleEndian(channels, 2) + littleEndian(rate, 4) +
                       littleEndian(rate * channels * 2, 4) + littleEndian(channels * 2, 2) +
                       littleEndian(16, 2) + "data" + littleEndian(bytes, 4);
    for (int i = 0; i < loud + quiet; ++i)
        for (uint32_t c = 0; c < channels; ++c)
            wave += littleEndian(i < loud ? uint16_t(level) : 0, 2);
    writeWholeFile(path, wave);
}

// The game's audio on a loopback device, whose output the test renders and measures.
class LoopbackAudio : public ::testing::Test {
  protected:
    void startAudio() {
        ASSERT_NE(loopback_.device, nullptr);
        audio_ =
            std::make_unique<OpenAlAudio>(folder_.string(), loopback_.device, Loopback::kFormat);
        audio_->start();
        ASSERT_TRUE(audio_->isOpen());
    }
    int peak(int frames) { return loopback_.peak(frames); }
    // The steady level of the output once a just-played sound has settled in.
    int settledPeak() {
        peak(500);
        return peak(500);
    }

    ScratchDir scratch_;
    const std::filesystem::path folder_ = scratch_.path();
    Loopback loopback_;
    std::unique_ptr<OpenAlAudio> audio_; // released before the device it plays on
};

TEST_F(LoopbackAudio, PlayedSoundIsHeardAtItsVolumeRestartsAndEnds) {
    writeWave(folder_ / "boom.wav", 44100, 1, 8000, 2205, 8820);
    writeWave(folder_ / "eshot.wav", 44100, 1, 4000, 44100);
    startAudio();
    EXPECT_LT(peak(1000), 50); // nothing before it is played
    audio_->play(kSoundBoom, 100, 100);
    EXPECT_GT(peak(1500), 2000);
    peak(1000);
    EXPECT_LT(peak(2000), 50); // well into the silent part
    audio_->play(kSoundBoom, 100, 100);
    EXPECT_GT(peak(1500), 2000); // the loud start again, not the rest of the silence
    EXPECT_LT(peak(12000), 8000 + 100);
    EXPECT_LT(peak(1000), 50); // 0.25 s of sound is over
    audio_->play(kSoundEshot, 100, 100);
    const int full = settledPeak();
    audio_->play(kSoundEshot, 50, 100);
    EXPECT_NEAR(double(settledPeak()) / full, 0.5, 0.05);
}

TEST_F(LoopbackAudio, HigherRatePlaysFaster) {
    writeWave(folder_ / "ehit.wav", 44100, 1, 8000, 8820);
    startAudio();
    // 0.2 s: 20 blocks of 441 frames at 100, about 13.3 at 150 and 40 at 50.
    const std::pair<int, int> rateBlocks[] = {{100, 20}, {150, 14}, {50, 40}};
    for (const auto& [rate, blocks] : rateBlocks) {
        audio_->play(kSoundEhit, 100, rate);
        int heard = 0;
        while (heard < 200 && peak(441) >= 50)
            ++heard;
        EXPECT_NEAR(heard, blocks, 1) << rate;
    }
}

TEST_F(LoopbackAudio, AmbientLoopsAtFortyPercentUntilStopped) {
    // 0.05 s at 11025 Hz: without the loop it would end after 2205 output frames.
    writeWave(folder_ / "ambient.wav", 11025, 1, 8000, 551);
    writeWave(folder_ / "pshot.wav", 44100, 1, 8000, 44100);
    startAudio();
    ASSERT_TRUE(audio_->ambientLoaded());
    peak(44100);
    const int ambient = settledPeak(); // still going after a second
    EXPECT_GT(ambient, 500);
    audio_->play(kSoundPshot, 100, 100);
    EXPECT_NEAR(double(ambient) / (settledPeak() - ambient), 0.4, 0.04);
    audio_->stop();
    peak(1000); // a stopped source fades out over a few frames
    audio_->play(kSoundPshot, 100, 100);
    EXPECT_LT(peak(1000), 50);
}

// The player's levels scale the game's volumes; mute and pause silence everything, and resuming
// brings the ambient loop back.
TEST_F(LoopbackAudio, LevelsScaleMuteSilencesAndPauseHoldsTheLoop) {
    writeWave(folder_ / "ambient.wav", 11025, 1, 8000, 551);
    writeWave(folder_ / "pshot.wav", 44100, 1, 8000, 44100);
    startAudio();
    peak(4410);
    const int ambient = settledPeak();
    audio_->setLevels(100, 50, false);
    EXPECT_NEAR(double(settledPeak()) / ambient, 0.5, 0.05);
    // Changes of gain reach the output over a few milliseconds.
    const auto silent = [this] {
        peak(4410);
        return peak(1000) < 50;
    };
    audio_->setLevels(0, 0, false);
    audio_->play(kSoundPshot, 100, 100);
    EXPECT_TRUE(silent());
    audio_->setLevels(25, 100, true);
    audio_->play(kSoundPshot, 100, 100);
    EXPECT_TRUE(silent());
    audio_->setLevels(100, 100, false);
    audio_->play(kSoundPshot, 100, 100);
    audio_->setPaused(true);
    EXPECT_TRUE(silent());
    audio_->setPaused(false);
    EXPECT_NEAR(double(settledPeak()) / ambient, 1.0, 0.05); // the loop alone: the shot stopped
}

TEST_F(LoopbackAudio, MissingAndBrokenFilesStaySilentAndStereoIsMixed) {
    writeWave(folder_ / "lock.wav", 44100, 2, 6000, 4410);
    writeWholeFile(folder_ / "level.wav", "RIFF not a wave");
    writeWholeFile(folder_ / "die.wav", "");
    testing::internal::CaptureStderr();
    startAudio();
    // Each sound that is there but cannot be played is named; the missing ones are not.
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("level.wav' is not a sound the game can play"), std::string::npos) << told;
    EXPECT_NE(told.find("die.wav' is not a sound"), std::string::npos) << told;
    EXPECT_EQ(told.find("boom.wav"), std::string::npos) << told;
    EXPECT_FALSE(audio_->ambientLoaded() || audio_->isLoaded(kSoundLevel));
    for (int id = 0; id < kSoundCount; ++id) {
        if (id != kSoundLock) audio_->play(static_cast<SoundId>(id), 100, 100);
    }
    EXPECT_LT(peak(4000), 50);
    audio_->play(kSoundLock, 100, 100);
    EXPECT_GT(peak(1000), 2000);
    // Without a device nothing plays and nothing breaks, even before start.
    OpenAlAudio unopened("/nonexistent/folder");
    unopened.play(kSoundBoom, 100, 100);
    unopened.stop();
    EXPECT_FALSE(unopened.isOpen());
}

} // namespace
