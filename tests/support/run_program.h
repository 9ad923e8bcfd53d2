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

#include "support/scratch_dir.h"

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

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// A test that runs the program in a scratch folder of its own, removed afterwards, so a score
// file written by one test never feeds another; the game's pictures and sounds are reachable
// through a link to the repository's data folder.
class ProgramFolder : public ::testing::Test {
  protected:
    ProgramFolder() {
        std::filesystem::create_directory_symlink(std::filesystem::path(ORVANE_SOURCE_DIR) / "data",
                                                  dir_ / "data");
    }

    // Runs the game (or another program) with the arguments (already quoted for the shell), env
    // going before it, and expects the status. Each run starts without a high score, so one
    // cannot feed the next, unless the caller keeps the folder's score file as it set it up.
    ProgramRun run(const std::string& args, int status = 0, const std::string& env = "",
                   const std::string& program = ORVANE_BINARY, bool keepScore = false) {
        if (!keepScore) std::filesystem::remove(dir_ / "highscore.dat");
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

    ScratchDir scratch_;
    const std::filesystem::path dir_ = scratch_.path();
};
