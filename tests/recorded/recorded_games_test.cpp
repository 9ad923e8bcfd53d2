// Recorded games guard the game's behaviour as a whole: each replay must give, byte for byte, the
// state dump, the score file and the pictures recorded with it (tests/recorded/digests.txt), and a
// replay that plays differently names the first frame and the first key of the dump that differ
// (tests/recorded/NAME.frames). ORVANE_RERECORD=1 writes the frame lists and prints the digest
// lines anew, for a change of behaviour made on purpose.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "support/png_pixels.h"
#include "support/run_program.h"

namespace {

const std::string kRecorded = std::string(ORVANE_SOURCE_DIR) + "/tests/recorded/";
const bool kRerecord = std::getenv("ORVANE_RERECORD") != nullptr;

// The SHA-256 of a file, as sha256sum prints it; empty when the file is missing.
std::string sha256(const std::filesystem::path& file) {
    if (!std::filesystem::exists(file)) return "";
    const std::string command = "sha256sum '" + file.string() + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    char digest[65] = {};
    const size_t got = pipe != nullptr ? std::fread(digest, 1, 64, pipe) : 0;
    if (pipe != nullptr) ::pclose(pipe);
    return got == 64 ? std::string(digest) : "";
}

// The SHA-256 of a PNG file's pixels as 8-bit RGB rows, so that a new zlib or libpng that packs
// the same picture differently changes nothing; empty when the file cannot be read.
std::string pixelDigest(const std::filesystem::path& png) {
    const std::vector<uint8_t> rgb = pngPixels(png);
    if (rgb.empty()) return "";
    const auto raw = png.parent_path() / "pixels.rgb";
    writeWholeFile(raw, std::string(rgb.begin(), rgb.end()));
    return sha256(raw);
}

// The digest file's lines of one kind, each split into its words.
std::vector<std::vector<std::string>> recorded(const std::string& kind) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream digests(readWholeFile(kRecorded + "digests.txt"));
    for (std::string line; std::getline(digests, line);) {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word;)
            words.push_back(word);
        if (!words.empty() && words[0] == kind) lines.push_back(words);
    }
    return lines;
}

// A dump line's top-level keys after "frame", each with the text of its value.
std::vector<std::pair<std::string, std::string>> keysOf(const std::string& line) {
    std::vector<std::pair<std::string, std::string>> keys;
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '{' || c == '[') ++depth;
        if (c == '}' || c == ']') --depth;
        if ((c == ',' && depth == 1) || depth == 0) {
            const std::string item = line.substr(start + 1, i - start - 1);
            const size_t colon = item.find("\": ");
            const std::string key = item.substr(1, colon - 1);
            if (colon != std::string::npos && key != "frame")
                keys.emplace_back(key, item.substr(colon + 3));
            start = i + 1;
        }
    }
    return keys;
}

// A frame's line of the frame list: a 16-bit digest (FNV-1a, folded) of each key's value.
std::string frameDigests(const std::string& line) {
    std::string out;
    for (const auto& [key, value] : keysOf(line)) {
        uint32_t h = 2166136261u;
        for (unsigned char c : value)
            h = (h ^ c) * 16777619u;
        char hex[8];
        std::snprintf(hex, sizeof hex, "%s%04x", out.empty() ? "" : " ", (h ^ (h >> 16)) & 0xFFFF);
        out += hex;
    }
    return out;
}

// Where the replay's dump first leaves the recorded frame list: the frame and the key (with the
// value the replay has there when it is short); empty when every frame agrees.
std::string firstDifference(const std::vector<std::string>& dump,
                            const std::vector<std::string>& frames) {
    for (size_t f = 0; f < dump.size() || f < frames.size(); ++f) {
        if (f >= dump.size() || f >= frames.size())
            return "the replay has " + std::to_string(dump.size()) + " frames, the recording " +
                   std::to_string(frames.size());
        const std::string now = frameDigests(dump[f]);
        if (now == frames[f]) continue;
        const auto keys = keysOf(dump[f]);
        for (size_t k = 0; k < keys.size(); ++k) {
            if (now.substr(5 * k, 4) == frames[f].substr(5 * k, 4)) continue;
            const std::string& value = keys[k].second;
            return "frame " + std::to_string(f) + ", key \"" + keys[k].first + "\"" +
                   (value.size() <= 200 ? ", now " + value : "");
        }
    }
    return "";
}

std::string logOf(const std::string& name) {
    return "'" + kRecorded + name + ".log'";
}

class RecordedGames : public ProgramFolder {
  protected:
    // A lab game keeps no score: "none".
    std::string scoreDigest() {
        const std::string digest = sha256(dir_ / "highscore.dat");
        return digest.empty() ? "none" : digest;
    }
};

TEST_F(RecordedGames, ReplayToTheRecordedDumpAndScore) {
    const auto games = recorded("game");
    ASSERT_EQ(games.size(), 5u);
    for (const auto& game : games) {
        run("--headless --input " + logOf(game[1]) + " --dump dump.jsonl");
        const auto dump = splitLines(file("dump.jsonl"));
        const std::string framesFile = kRecorded + game[1] + ".frames";
        if (kRerecord) {
            std::string frames;
            for (const std::string& line : dump)
                frames += frameDigests(line) + "\n";
            writeWholeFile(framesFile, frames);
            std::printf("game %s %s %s\n", game[1].c_str(), sha256(dir_ / "dump.jsonl").c_str(),
                        scoreDigest().c_str());
            continue;
        }
        const std::string where = firstDifference(dump, splitLines(readWholeFile(framesFile)));
        if (!where.empty()) {
            ADD_FAILURE() << game[1] << " plays differently from " << where;
            continue;
        }
        EXPECT_EQ(sha256(dir_ / "dump.jsonl"), game[2])
            << game[1] << ": the game plays differently";
        EXPECT_EQ(scoreDigest(), game[3]) << game[1];
    }
}

// Each recorded picture, the game over's pattern shown at once and the pause screen, drawn by the
// immediate mode and by OpenGL ES 2's batched drawing: the recorded pixels, and the same within 1
// a channel.
TEST_F(RecordedGames, ShowTheRecordedPicturesInTheWindowThroughBothRenderers) {
    auto pictures = recorded("picture");
    ASSERT_EQ(pictures.size(), 6u);
    pictures.push_back({"picture", "reckless", "560", "--no-flashes"});
    pictures.push_back({"picture", "reckless", "400", "--end-paused"});
    for (const auto& picture : pictures) {
        const bool recordedPicture = picture[3].rfind("--", 0) != 0;
        const std::string args = "--input " + logOf(picture[1]) + " --frames " + picture[2] +
                                 (recordedPicture ? "" : " " + picture[3]);
        run(args + " --screenshot gl.png", 0, "env SDL_AUDIODRIVER=dummy");
        if (kRerecord && recordedPicture) {
            std::printf("picture %s %s %s\n", picture[1].c_str(), picture[2].c_str(),
                        pixelDigest(dir_ / "gl.png").c_str());
        } else if (recordedPicture) {
            EXPECT_EQ(pixelDigest(dir_ / "gl.png"), picture[3])
                << picture[1] << " at " << picture[2];
        }
        // Under AddressSanitizer, LeakSanitizer's tracer crashes at exit about every other run
        // after an OpenGL ES context (in its own thread scan, with no leak reported); the
        // immediate-mode runs keep the leak check.
        const ProgramRun es =
            run(args + " --renderer gles2 --screenshot gles2.png", 0,
                "env SDL_AUDIODRIVER=dummy ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\"");
        EXPECT_EQ(es.err.find("OpenGL ES 2"), std::string::npos) << es.err;
        const std::vector<uint8_t> immediate = pngPixels(dir_ / "gl.png");
        ASSERT_EQ(immediate.size(), 640u * 480u * 3u);
        EXPECT_EQ(channelsDiffering(immediate, pngPixels(dir_ / "gles2.png"), 1), 0u)
            << "OpenGL ES 2: " << picture[1] << " at " << picture[2] << " " << picture[3];
    }
}

} // namespace
