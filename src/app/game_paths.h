// Where the game reads its pictures and sounds and keeps its own files: beside it in the working
// folder (the classic way, when that folder holds data/), or installed, with the per-user files in
// the home folder where the desktop expects them.
#pragma once

#include <string>

struct GamePaths {
    bool classic = true;
    std::string dataFolder = "data"; // the pictures; the sounds are in its sfx/
    std::string configFile = "config.txt";
    std::string highScoreFile = "highscore.dat";
    std::string screenshotFolder; // F12 pictures; empty for the working folder
    // Per-user folders to create (mode 0700) before their files are used; empty when classic.
    std::string configFolder;
    std::string scoreFolder;
};

// What the choice is made from; gathered from the process by findGamePaths, given in tests.
struct PathFacts {
    std::string dataOption;    // --data DIR, empty when not given
    std::string workingFolder; // "." for the process's own
    std::string executableFolder;
    std::string installedData; // the configured install prefix's data folder
    std::string home;          // $HOME, or the account's home when unset
    std::string xdgConfigHome; // as set, possibly empty or relative
    std::string xdgDataHome;
};

// Classic when the working folder holds data/; otherwise the installed data folder, found
// beside the program (../share/orvane) and then under the install prefix, with config.txt in
// $XDG_CONFIG_HOME/orvane, highscore.dat in $XDG_DATA_HOME/orvane and screenshots in its
// screenshots/ (each XDG variable used only when absolute). --data names the data folder in
// either way.
GamePaths resolveGamePaths(const PathFacts& facts);

// The facts of this process: the working folder, /proc/self/exe, the environment.
PathFacts processPathFacts(const std::string& dataOption);

// Creates folder and its missing parents, private to the player; false when it cannot be made.
bool makeUserFolder(const std::string& folder);

// The --help lines that say where each file lives.
const char* filesHelpText();
