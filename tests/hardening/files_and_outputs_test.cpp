// Nothing lost and nothing hangs: the best score against unreadable, linked, read-only and
// higher stored files, other players and other copies of the game saving at once; signals in the
// middle of a recording; counters at the end of their range. (Hostile files given to the program
// are in the program runs.)
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

#include "app/config.h"
#include "game/game_env.h"
#include "game/high_score.h"
#include "game/setup.h"
#include "support/run_program.h"
#include "support/scratch_dir.h"
#include "support/scripted_player.h"
#include "world/game_state.h"

namespace fs = std::filesystem;

namespace {

int32_t stored(const std::string& path) {
    return readHighScore(path.c_str());
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Runs body in a child as the unprivileged user "nobody" (the test runs as root in CI, and root
// reads every file whatever its mode); true when the child's checks held.
template <class Body> bool asAnotherUser(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0))
            std::_Exit(3);
        std::_Exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ScoreFile, IsNeverLoweredAndKeepsItsPlaceModeAndOwner) {
    ScratchDir dir;
    const std::string path = dir.file("highscore.dat");
    // The first file: 0644 less the umask.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeHighScore(2396, path.c_str()));
    EXPECT_EQ(modeOf(path), 0644u);
    // Another copy of the game, started before, ends lower: the stored best stays and is taken.
    int32_t best = 194;
    EXPECT_FALSE(writeHighScore(194, path.c_str(), &best));
    EXPECT_EQ(std::tuple(stored(path), best), std::tuple(2396, 2396));
    // A file its player made read-only is left as it is; a writable one keeps its mode.
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(writeHighScore(3000, path.c_str()));
    EXPECT_EQ(std::tuple(stored(path), modeOf(path)), std::tuple(2396, 0444u));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeHighScore(3000, path.c_str()));
    EXPECT_EQ(std::tuple(stored(path), modeOf(path)), std::tuple(3000, 0640u));
    // A link to a shared scores folder: the target is replaced, the link stays.
    fs::create_directory(dir.path() / "shared");
    const std::string target = dir.file("shared/scores.dat");
    ASSERT_TRUE(writeHighScore(100, target.c_str()));
    const std::string link = dir.file("linked.dat");
    fs::create_symlink("shared/scores.dat", link);
    ASSERT_TRUE(writeHighScore(500, link.c_str()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(stored(target), 500);
    EXPECT_EQ(fs::directory_iterator(dir.path() / "shared")->path().filename(), "scores.dat");
    ::umask(mask);
}

TEST(ScoreFile, OfAnotherPlayerOrUnreadableIsLeftAsItIs) {
    ScratchDir dir;
    fs::permissions(dir.path(), fs::perms::all); // a folder every player may write
    const std::string secret = dir.file("secret.dat");
    const std::string shared = dir.file("shared.dat");
    ASSERT_TRUE(writeHighScore(5000, secret.c_str()));
    ASSERT_TRUE(writeHighScore(10, shared.c_str()));
    ::chmod(secret.c_str(), 0600);
    ::chmod(shared.c_str(), 0644);
    EXPECT_TRUE(asAnotherUser([&] {
        // Unreadable: a best of 0, and the file is not replaced by a lower score.
        return readHighScore(secret.c_str()) == 0 && !writeHighScore(194, secret.c_str()) &&
               // Readable but not the player's, nor writable by them: not taken over.
               !writeHighScore(50, shared.c_str());
    }));
    EXPECT_EQ(std::tuple(stored(secret), stored(shared)), std::tuple(5000, 10));
    struct stat info {};
    ::stat(shared.c_str(), &info);
    EXPECT_EQ(info.st_uid, ::geteuid());
}

// A save removes what killed saves left, by the game's own temporary names, and nothing else:
// files a player keeps beside the score look alike but stay.
TEST(ScoreFile, ASaveRemovesTheGamesLeftoversAndNothingOfThePlayers) {
    ScratchDir dir;
    const std::set<std::string> players = {"highscore.dat.backup", "highscore.dat.before",
                                           "highscore.dat.Backup", "highscore.dat.2024_1",
                                           "highscore.dat.Ab3xYz", "other.dat.orvane-temp-1-0"};
    for (const std::string& name : players)
        writeWholeFile(dir.path() / name, "12345");
    for (const char* name :
         {"highscore.dat.orvane-temp-4242-0", "highscore.dat.orvane-temp-Ab3xYz"})
        writeWholeFile(dir.path() / name, "123");
    ASSERT_TRUE(writeHighScore(7, dir.file("highscore.dat").c_str()));
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        left.insert(entry.path().filename().string());
    std::set<std::string> expected = players;
    expected.insert("highscore.dat");
    EXPECT_EQ(left, expected);
}

// Copies of the game ending together: whatever order their saves run in, the highest stays.
TEST(ScoreFile, GamesSavingAtOnceKeepTheHighest) {
    ScratchDir dir;
    const std::string path = dir.file("highscore.dat");
    for (int round = 0; round < 40; ++round) {
        fs::remove(path);
        int go[2];
        ASSERT_EQ(::pipe(go), 0);
        const int writers = 2 + round % 3;
        for (int w = 0; w < writers; ++w) {
            if (::fork() != 0) continue;
            char start = 0;
            ::close(go[1]);
            const bool started = ::read(go[0], &start, 1) == 0; // all start when the pipe closes
            std::_Exit(
                started && writeHighScore(1000 + (w * 7919 + round) % 500, path.c_str()) ? 0 : 1);
        }
        ::close(go[0]);
        ::close(go[1]);
        int best = 0;
        for (int w = 0; w < writers; ++w)
            best = std::max(best, 1000 + (w * 7919 + round) % 500);
        while (::wait(nullptr) > 0) {
        }
        EXPECT_EQ(stored(path), best) << "round " << round;
    }
}

// A folder another copy keeps locked past the wait: nothing is written, the stored best stays.
TEST(ScoreFile, AFolderKeptBusyIsLeftAsItIs) {
    ScratchDir dir;
    const std::string path = dir.file("highscore.dat");
    ASSERT_TRUE(writeHighScore(300, path.c_str()));
    const int held = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0); // as another copy in the middle of its save
    EXPECT_FALSE(writeHighScore(900, path.c_str()));
    ::close(held);
    EXPECT_EQ(stored(path), 300);
    EXPECT_TRUE(writeHighScore(900, path.c_str())); // free again
}

TEST(ScoreFile, KilledWhileWritingLeavesNoTemporary) {
    ScratchDir dir;
    const std::string path = dir.file("highscore.dat");
    // Children write ever higher scores as fast as they can and are killed at any moment.
    for (int kill = 0; kill < 300; ++kill) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int32_t score = 1;; ++score)
                writeHighScore(score + kill * 100000, path.c_str());
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200 + 37 * (kill % 50)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    // What the last kill interrupted is cleared by the next game over's write.
    ASSERT_TRUE(writeHighScore(INT32_MAX, path.c_str()));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"highscore.dat"});
    EXPECT_EQ(stored(path), INT32_MAX);
}

TEST(OtherFiles, AConfigThatCannotBeReadIsLeftAsItIs) {
    ScratchDir dir;
    fs::permissions(dir.path(), fs::perms::all);
    const std::string config = dir.file("config.txt");
    writeWholeFile(config, "fullscreen 1\n");
    ::chmod(config.c_str(), 0600);
    EXPECT_TRUE(asAnotherUser([&] {
        DisplaySettings settings;
        return readConfig(config, settings) == ConfigResult::Missing && !settings.fullscreen;
    }));
    EXPECT_EQ(readWholeFile(config), "fullscreen 1\n");
}

TEST(GameCounters, WrapOrStopAtTheEndOfTheirRange) {
    ScriptedPlayer player;
    setupGame({.inputSource = &player, .uploadTextures = false, .highScorePath = ""});
    GameState& s = *gameEnv->state;
    s.frameCount = INT32_MAX;
    ASSERT_TRUE(gameEnv->runFrame());
    EXPECT_EQ(s.frameCount, INT32_MIN);
    // A game-over pause at its limit stays over and does not end the game again.
    s.lives = 0;
    s.gameOverFrames = INT32_MAX;
    s.restartArmed = 0;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(gameEnv->runFrame());
    EXPECT_EQ(s.gameOverFrames, INT32_MAX);
    cleanupGame();
}

class HostileFiles : public ProgramFolder {
  protected:
    static constexpr const char* kHeadless = "timeout 20";
};

// Starts the program in the folder, waits until the dump has some lines, sends the signal and
// returns the exit status.
int signalledRun(const fs::path& dir, const std::string& args, int signal) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::chdir(dir.c_str());
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        const std::string command = "exec '" ORVANE_BINARY "' " + args + " 2>/dev/null";
        ::execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
        std::_Exit(127);
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until &&
           splitLines(readWholeFile(dir / "d.jsonl")).size() < 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ::kill(child, signal);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(HostileFiles, SignalsEndTheRunWithCompleteFiles) {
    write("play.log", "orvane-input 1\nseed 12\n100000 44 200\n");
    const struct {
        const char* args;
        int signal;
    } runs[] = {{"--input play.log --record r.log --dump d.jsonl", SIGHUP},
                {"--headless --input play.log --frames 100000000 --record r.log --dump d.jsonl "
                 "--dump-every 100",
                 SIGINT},
                {"--headless --input play.log --frames 100000000 --record r.log --dump d.jsonl "
                 "--dump-every 100",
                 SIGTERM}};
    for (const auto& c : runs) {
        SCOPED_TRACE(c.args);
        // Like every run here, each starts without a score file: a best score left by the run
        // before would be in this dump but not in its replay's.
        fs::remove(dir_ / "d.jsonl");
        fs::remove(dir_ / "highscore.dat");
        EXPECT_EQ(signalledRun(dir_, c.args, c.signal), 128 + c.signal);
        const std::string dump = file("d.jsonl");
        ASSERT_FALSE(dump.empty());
        EXPECT_EQ(dump.back(), '\n');
        // The recording replays to the very dump the run wrote.
        run("--headless --input r.log --dump again.jsonl --dump-every " +
            std::string(c.signal == SIGHUP ? "1" : "100"));
        EXPECT_TRUE(file("again.jsonl") == dump) << "the replay went another way";
    }
}

// A signal while a write waits on a reader that has stopped reading: once the reader reads again
// the run finishes its frame and ends with the signal's status, and nothing written is lost. The
// recorded rows are small writes, each made whole or not at all, so the signal comes before any
// byte of the waiting one is written: the case where a write would fail outright. (The record is
// the run's only output, so the write the game waits in is the pipe's.)
TEST_F(HostileFiles, ASignalDuringABlockedWriteKeepsEverythingWritten) {
    std::string log = "orvane-input 1\nseed 1\n";
    for (int row = 0; row < 50000; ++row)
        log += row % 2 == 0 ? "1 44\n" : "1\n";
    write("play.log", log);
    ASSERT_EQ(::mkfifo((dir_ / "r.fifo").c_str(), 0644), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::chdir(dir_.c_str());
        ::execl(ORVANE_BINARY, ORVANE_BINARY, "--headless", "--input", "play.log", "--record",
                "r.fifo", nullptr);
        std::_Exit(127);
    }
    const int reader = ::open((dir_ / "r.fifo").c_str(), O_RDONLY);
    ASSERT_GE(reader, 0);
    const std::string proc = "/proc/" + std::to_string(child);
    const auto waitFor = [](const std::string& file, const std::string& text, bool atStart) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (std::string now; std::chrono::steady_clock::now() < until;
             std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
            now = readWholeFile(file);
            if (atStart ? now.rfind(text, 0) == 0 : now.find(text) != std::string::npos) return;
        }
    };
    // The game fills the pipe and waits in write(2) (system call 1) for the reader.
    waitFor(proc + "/syscall", "1 ", true);
    ::kill(child, SIGTERM);
    // The reader reads again only once the signal has been taken, so the write is interrupted
    // first (else the room freed could let it end before the signal is looked at).
    waitFor(proc + "/status", "ShdPnd:\t0000000000000000", false);
    std::string recorded;
    char buffer[65536];
    for (ssize_t got; (got = ::read(reader, buffer, sizeof buffer)) > 0;)
        recorded.append(buffer, static_cast<size_t>(got));
    ::close(reader);
    int ended = 0;
    ::waitpid(child, &ended, 0);
    EXPECT_EQ(WIFEXITED(ended) ? WEXITSTATUS(ended) : -1, 128 + SIGTERM);
    // The record is the log's own rows up to the frame the run ended on: none lost or joined.
    ASSERT_FALSE(recorded.empty());
    EXPECT_EQ(recorded.back(), '\n');
    EXPECT_EQ(log.compare(0, recorded.size(), recorded), 0);
}

} // namespace
