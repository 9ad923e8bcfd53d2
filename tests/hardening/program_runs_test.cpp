// The program as users and scripts run it, from tables in tests/hardening/runs/: each table sets
// up files in a scratch folder, runs the program and checks its status, its one short line of
// error and the files it leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/run_program.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSource(ORVANE_SOURCE_DIR);

// Text of a table: \n, \r, \t, \\ and \xNN stand for their bytes.
std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'x' && i + 2 < text.size() + 1) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        }
    }
    return out;
}

// The frame numbers of a dump, -1 for a line that is not a whole dump line.
std::string framesOf(const std::string& dump) {
    std::string frames;
    for (const std::string& line : splitLines(dump))
        frames +=
            (frames.empty() ? "" : " ") + std::to_string(line.back() == '}' ? dumpFrame(line) : -1);
    return frames;
}

class ProgramRuns : public ProgramFolder, public ::testing::WithParamInterface<std::string> {
  protected:
    // One line of a table: a set-up step, a run, or a check of what the runs left.
    void step(const std::string& verb, const std::string& rest) {
        const std::string name = rest.substr(0, rest.find(' '));
        const std::string arg =
            rest.find(' ') == std::string::npos ? "" : rest.substr(name.size() + 1);
        const fs::path path = name == "-" ? dir_ / "stdout.txt" : dir_ / name;
        if (verb == "file") {
            write(name, unescape(arg));
        } else if (verb == "repeat") { // "repeat NAME COUNT TEXT" appends TEXT COUNT times
            const std::string text = unescape(arg.substr(arg.find(' ') + 1));
            std::string all = readWholeFile(path);
            for (int i = std::stoi(arg); i > 0; --i)
                all += text;
            write(name, all);
        } else if (verb == "fifo") {
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        } else if (verb == "mkdir") {
            fs::create_directories(path);
        } else if (verb == "hardlink") {
            fs::create_hard_link(dir_ / arg, path);
        } else if (verb == "symlink") { // "symlink NAME TARGET", TARGET as the link holds it
            fs::create_symlink(arg, path);
        } else if (verb == "chmod") {
            fs::permissions(path, static_cast<fs::perms>(std::stoi(arg, nullptr, 8)));
        } else if (verb == "islink") {
            EXPECT_TRUE(fs::is_symlink(path)) << name;
        } else if (verb == "sparse") {
            ASSERT_EQ(::truncate((write(name, ""), path).c_str(), std::stoll(arg)), 0);
        } else if (verb == "copy") { // "copy NAME": a copy of the source tree's NAME, in its place
            fs::remove_all(path);
            fs::copy(kSource / name, path, fs::copy_options::recursive);
        } else if (verb == "rm") {
            fs::remove(path);
        } else if (verb == "rename") {
            fs::rename(path, dir_ / arg);
        } else if (verb == "run") {
            runLine(rest);
        } else if (verb == "same") {
            EXPECT_EQ(readWholeFile(path), unescape(arg)) << name;
        } else if (verb == "equal" || verb == "differ") {
            EXPECT_EQ(readWholeFile(path) == readWholeFile(dir_ / arg), verb == "equal") << rest;
        } else if (verb == "absent" || verb == "exists") {
            EXPECT_EQ(fs::exists(path), verb == "exists") << name;
        } else if (verb == "fifostays") {
            EXPECT_EQ(fs::status(path).type(), fs::file_type::fifo) << name;
        } else if (verb == "frames") {
            EXPECT_EQ(framesOf(readWholeFile(path)), arg) << name;
        } else if (verb == "mode") {
            EXPECT_EQ(static_cast<int>(fs::status(path).permissions()), std::stoi(arg, nullptr, 8))
                << name;
        } else if (verb == "empty") {
            EXPECT_TRUE(fs::is_empty(path)) << name;
        } else if (verb == "larger") {
            EXPECT_GT(fs::file_size(path), std::stoull(arg)) << name;
        } else {
            FAIL() << "unknown step: " << verb;
        }
    }

    // "run STATUS COMMAND => SHOWN": the word orvane in COMMAND is the game, orvane_assetgen the
    // asset generator. A refusal (2) is one line of error naming SHOWN, a failure names it in its
    // errors, both with nothing on standard output; a run that succeeds shows SHOWN in what it
    // prints. The folder's files, the score file too, stay as the table left them.
    void runLine(const std::string& rest) {
        const int status = std::stoi(rest);
        const size_t arrow = rest.find(" => ");
        std::string command = unescape(rest.substr(rest.find(' ') + 1, arrow - rest.find(' ') - 1));
        const std::string shown =
            arrow == std::string::npos ? "" : unescape(rest.substr(arrow + 4));
        const size_t at = command.find("orvane");
        const bool generator = command.compare(at, 15, "orvane_assetgen") == 0;
        const ProgramRun r = run(command.substr(at + (generator ? 15 : 6)), status,
                                 "timeout 20 env SDL_AUDIODRIVER=dummy " + command.substr(0, at),
                                 generator ? ORVANE_ASSETGEN : ORVANE_BINARY, true);
        // Whatever a refusal quotes is cut short.
        EXPECT_TRUE(status != 2 || (splitLines(r.err).size() == 1 && r.err.size() < 300)) << r.err;
        EXPECT_TRUE(status == 0 || r.out.empty()) << r.out;
        EXPECT_NE((status == 0 ? r.out + r.err : r.err).find(shown), std::string::npos) << r.err;
    }
};

TEST_P(ProgramRuns, AsTheTableSays) {
    std::istringstream table(
        readWholeFile(kSource / "tests/hardening/runs" / (GetParam() + ".txt")));
    int number = 0;
    for (std::string line; std::getline(table, line);) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        SCOPED_TRACE(GetParam() + ".txt line " + std::to_string(number) + ": " + line);
        step(line.substr(0, line.find(' ')), line.substr(line.find(' ') + 1));
    }
}

std::vector<std::string> tables() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kSource / "tests/hardening/runs"))
        names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Tables, ProgramRuns, ::testing::ValuesIn(tables()),
                         [](const auto& info) { return info.param; });

} // namespace
