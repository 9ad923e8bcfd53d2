// Recorded games guard the game's behaviour as a whole: each replay must give, byte for byte, the
// state dump, the score file and the pictures recorded with it (tests/recorded/digests.txt).
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"

namespace {

const std::string kRecorded = std::string(ORVANE_SOURCE_DIR) + "/tests/recorded/";

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

std::string logOf(const std::string& name) {
    return "'" + kRecorded + name + ".log'";
}

class RecordedGames : public ProgramFolder {};

TEST_F(RecordedGames, ReplayToTheRecordedDumpAndScore) {
    const auto games = recorded("game");
    ASSERT_EQ(games.size(), 4u);
    for (const auto& game : games) {
        run("--headless --input " + logOf(game[1]) + " --dump dump.jsonl");
        EXPECT_EQ(sha256(dir_ / "dump.jsonl"), game[2])
            << game[1] << ": the game plays differently";
        EXPECT_EQ(sha256(dir_ / "highscore.dat"), game[3]) << game[1];
    }
}

TEST_F(RecordedGames, ShowTheRecordedPicturesInTheWindow) {
    const auto pictures = recorded("picture");
    ASSERT_EQ(pictures.size(), 5u);
    for (const auto& picture : pictures) {
        run("--input " + logOf(picture[1]) + " --frames " + picture[2] + " --screenshot shot.png",
            0, "env SDL_AUDIODRIVER=dummy");
        EXPECT_EQ(sha256(dir_ / "shot.png"), picture[3]) << picture[1] << " at " << picture[2];
    }
}

} // namespace
