// Choosing the data folder and the places of the player's own files.
#include "app/game_paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef ORVANE_INSTALLED_DATA
#define ORVANE_INSTALLED_DATA "/usr/local/share/orvane"
#endif

namespace {

constexpr char kGameFolder[] = "/orvane";

bool isFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

// An XDG base folder: the variable when it holds an absolute path, else home + fallback.
std::string baseFolder(const std::string& variable, const std::string& home, const char* fallback) {
    if (!variable.empty() && variable[0] == '/') return variable;
    if (home.empty()) return std::string();
    return home + fallback;
}

std::string installedDataFolder(const PathFacts& facts) {
    if (!facts.executableFolder.empty()) {
        std::string beside = facts.executableFolder + "/../share/orvane";
        if (isFolder(beside)) return beside;
    }
    if (isFolder(facts.installedData)) return facts.installedData;
    return std::string();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string homeFolder() {
    std::string home = environment("HOME");
    if (!home.empty()) return home;
    const passwd* account = getpwuid(getuid());
    return account != nullptr && account->pw_dir != nullptr ? account->pw_dir : "";
}

std::string executableFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return std::string();
    path[length] = '\0';
    return std::filesystem::path(path).parent_path().string();
}

} // namespace

GamePaths resolveGamePaths(const PathFacts& facts) {
    GamePaths paths;
    const std::string work = facts.workingFolder.empty() ? "." : facts.workingFolder;
    if (isFolder(work + "/data")) {
        const std::string prefix = work == "." ? "" : work + "/";
        paths.dataFolder = prefix + "data";
        paths.configFile = prefix + "config.txt";
        paths.highScoreFile = prefix + "highscore.dat";
        paths.screenshotFolder = work == "." ? "" : work;
    } else {
        paths.classic = false;
        paths.dataFolder = installedDataFolder(facts);
        const std::string config = baseFolder(facts.xdgConfigHome, facts.home, "/.config");
        const std::string data = baseFolder(facts.xdgDataHome, facts.home, "/.local/share");
        // Without any home there is nowhere to keep files: defaults, and the score in memory.
        if (!config.empty()) paths.configFolder = config + kGameFolder;
        if (!data.empty()) paths.scoreFolder = data + kGameFolder;
        paths.configFile = config.empty() ? "" : paths.configFolder + "/config.txt";
        paths.highScoreFile = data.empty() ? "" : paths.scoreFolder + "/highscore.dat";
        paths.screenshotFolder = data.empty() ? "" : paths.scoreFolder + "/screenshots";
    }
    if (!facts.dataOption.empty()) paths.dataFolder = facts.dataOption;
    return paths;
}

PathFacts processPathFacts(const std::string& dataOption) {
    PathFacts facts;
    facts.dataOption = dataOption;
    facts.workingFolder = ".";
    facts.executableFolder = executableFolder();
    facts.installedData = ORVANE_INSTALLED_DATA;
    facts.home = homeFolder();
    facts.xdgConfigHome = environment("XDG_CONFIG_HOME");
    facts.xdgDataHome = environment("XDG_DATA_HOME");
    return facts;
}

bool makeUserFolder(const std::string& folder) {
    if (folder.empty()) return false;
    std::string path;
    for (size_t at = 0; at != std::string::npos;) {
        const size_t next = folder.find('/', at + 1);
        path = folder.substr(0, next);
        if (!path.empty() && ::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
        at = next;
    }
    return isFolder(folder);
}

const char* filesHelpText() {
    return "Files:\n"
           "  Started from a folder that holds data/ (the repository, or an unpacked game),\n"
           "  everything lives there: data/ (pictures), data/sfx/ (sounds), config.txt,\n"
           "  highscore.dat and F12 screenshots.\n"
           "  Otherwise the game is installed: pictures and sounds from ../share/orvane beside\n"
           "  the program, else " ORVANE_INSTALLED_DATA "; config.txt in\n"
           "  $XDG_CONFIG_HOME/orvane (~/.config/orvane), highscore.dat in $XDG_DATA_HOME/orvane\n"
           "  (~/.local/share/orvane), F12 screenshots in its screenshots/ folder.\n"
           "  --data DIR takes the pictures and sounds from DIR in either way.\n";
}
