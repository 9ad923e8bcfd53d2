// Runs the built game program in a scratch folder of its own and collects what it printed.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

inline std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeWholeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The frame number a dump line starts with, -1 when it does not start as a dump line should.
inline long long dumpFrame(const std::string& line) {
    const std::string head = "{\"frame\": ";
    return line.rfind(head, 0) == 0 ? std::atoll(line.c_str() + head.size()) : -1;
}

// A fresh folder, so a high-score file written by one test never feeds another; the game's
// images are reachable through a link to the repository's data folder.
inline std::filesystem::path scratchFolder(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("orvane_" + name + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::create_directory_symlink(std::filesystem::path(ORVANE_SOURCE_DIR) / "data",
                                              dir / "data");
    return dir;
}

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// A test that runs the program in a scratch folder, removed afterwards.
class ProgramFolder : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Runs the game (or another program) with the arguments (already quoted for the shell), env
    // going before it, and expects the status. Each run starts without a high score, so one
    // cannot feed the next.
    ProgramRun run(const std::string& args, int status = 0, const std::string& env = "",
                   const std::string& program = ORVANE_BINARY) {
        std::filesystem::remove(dir_ / "highscore.dat");
        const std::string command = "cd '" + dir_.string() + "' && " + env + " '" + program + "' " +
                                    args + " >stdout.txt 2>stderr.txt </dev/null";
        const int raw = std::system(command.c_str());
        const ProgramRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, file("stdout.txt"),
                           file("stderr.txt")};
        EXPECT_EQ(r.status, status) << args << ": " << r.err;
        return r;
    }
    std::string file(const std::string& name) { return readWholeFile(dir_ / name); }
    void write(const std::string& name, const std::string& text) {
        writeWholeFile(dir_ / name, text);
    }

    std::filesystem::path dir_ = scratchFolder("program");
};
