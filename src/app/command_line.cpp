// Reading the program's options, with one clear line for anything wrong.
#include "app/command_line.h"

#include "app/game_paths.h"
#include "base/decimal.h"
#include "base/regular_file.h"
#include "world/lab_settings.h"

#include <cstring>
#include <string_view>

namespace {

const char kUsage[] =
    "Usage: orvane [options]\n"
    "Without options the game runs as always: window or full screen from config.txt,\n"
    "clock-seeded, live keyboard and joystick.\n"
    "\n"
    "  --headless         no window, audio or devices: set-up, game frames and tear-down only\n"
    "                     (needs --input or --frames)\n"
    "  --seed N           seed the random generator with N (0 to 4294967295); with\n"
    "                     --input it replaces the log's own seed: another game\n"
    "  --input FILE       replay the held inputs of every frame from an input log\n"
    "  --record FILE      write the inputs of every frame and the seed to an input log\n"
    "  --frames N         stop after N game frames\n"
    "  --dump FILE        write the state dump as JSON Lines to FILE ('-' for standard output)\n"
    "  --dump-every K     dump only frames that are multiples of K, plus the first and last\n"
    "  --screenshot FILE  with a window: save the last picture drawn as a PNG file\n"
    "  --scale N|auto     window of N times 320x240 (1 to 8; 2 is the classic 640x480), or\n"
    "                     auto: as large as the desktop allows, the picture filling the window\n"
    "                     at the largest whole scale, centred (full screen: the desktop's own\n"
    "                     resolution, no mode change)\n"
    "  --vsync on|off|auto  wait for the display refresh; auto (the default) waits only on\n"
    "                     displays of 75 Hz or more, where that cannot slow the game\n"
    "  --renderer gl|gles2  draw with OpenGL's immediate mode (gl, the default) or in a few\n"
    "                     batched calls through OpenGL ES 2 (gles2); without a context\n"
    "                     that has immediate mode the game draws with gles2 by itself\n"
    "  --data DIR         read the pictures and sounds from DIR\n"
    "  --mute             no sound this time (M mutes and unmutes while playing)\n"
    "  --no-flashes       a game over shows its pattern at once, without the white strobe\n"
    "  --end-paused       with a window: the run ends paused, its last picture (and\n"
    "                     --screenshot) showing the pause screen over the last frame\n"
    "  --scores           print the table of the ten best games\n"
    "  --watch N          replay the Nth best game of the table in the window\n"
    "                     (P pauses, holding Right runs it faster, Escape stops)\n"
    "  --lab [FILE|NAME=VALUE]  the weapon lab: the game with its panel (Tab shows it);\n"
    "                     each --lab sets the weapon from a lab file or one NAME=VALUE\n"
    "                     (see the README for the names); lab games keep no score\n"
    "  --metrics FILE     write the lab's numbers for each second of play as CSV\n"
    "  --lab-sweep NAME=FROM:TO:STEP  with --headless --input: play the log once per\n"
    "                     value of NAME and print one row of numbers per value\n"
    "  --help             print this text\n"
    "  --version          print the version\n"
    "\n";

bool numberError(const std::string& option, std::string_view text, const char* range,
                 std::string& error) {
    error = "bad value '" + quoteForMessage(text) + "' for " + option + ": expected " + range;
    return false;
}

bool takeNumber(const std::string& option, std::string_view text, CommandLine& o,
                std::string& error) {
    uint64_t v = 0;
    if (option == "--seed") {
        if (!readDecimal(text, 0xFFFFFFFFu, v)) {
            return numberError(option, text, "a whole number from 0 to 4294967295", error);
        }
        o.hasSeed = true;
        o.seed = static_cast<uint32_t>(v);
    } else if (option == "--frames") {
        if (!readDecimal(text, INT64_MAX, v)) {
            return numberError(option, text, "a whole number of frames, 0 or more", error);
        }
        o.hasFrames = true;
        o.frames = static_cast<int64_t>(v);
    } else if (option == "--watch") {
        if (!readDecimal(text, 10, v) || v == 0) {
            return numberError(option, text, "a place in the table from 1 to 10", error);
        }
        o.watch = static_cast<int>(v);
    } else {
        if (!readDecimal(text, INT64_MAX, v) || v == 0) {
            return numberError(option, text, "a whole number, 1 or more", error);
        }
        o.dumpEvery = static_cast<int64_t>(v);
    }
    return true;
}

bool takePath(const std::string& option, std::string_view text, CommandLine& o,
              std::string& error) {
    if (text.empty()) {
        error = "empty file name for " + option;
        return false;
    }
    std::string* target = option == "--input"     ? &o.inputPath
                          : option == "--record"  ? &o.recordPath
                          : option == "--dump"    ? &o.dumpPath
                          : option == "--data"    ? &o.dataPath
                          : option == "--metrics" ? &o.metricsPath
                                                  : &o.screenshotPath;
    *target = std::string(text);
    return true;
}

bool takeScale(std::string_view text, CommandLine& o, std::string& error) {
    uint64_t v = 0;
    if (text == "auto") {
        o.scale = ScaleChoice{true, 2};
    } else if (readDecimal(text, kMaxScale, v) && v >= 1) {
        o.scale = ScaleChoice{false, static_cast<int>(v)};
    } else {
        return numberError("--scale", text, "auto or a whole number from 1 to 8", error);
    }
    o.hasScale = true;
    return true;
}

bool takeVsync(std::string_view text, CommandLine& o, std::string& error) {
    if (text == "on")
        o.vsync = VsyncMode::On;
    else if (text == "off")
        o.vsync = VsyncMode::Off;
    else if (text == "auto")
        o.vsync = VsyncMode::Auto;
    else
        return numberError("--vsync", text, "on, off or auto", error);
    return true;
}

bool takeRenderer(std::string_view text, CommandLine& o, std::string& error) {
    if (text == "gl")
        o.renderer = RendererChoice::Gl;
    else if (text == "gles2")
        o.renderer = RendererChoice::Gles2;
    else
        return numberError("--renderer", text, "gl or gles2", error);
    return true;
}

// NAME=FROM:TO:STEP, each value in the parameter's range, at most 1000 runs.
bool takeSweep(std::string_view text, CommandLine& o, std::string& error) {
    const std::string whole(text);
    const size_t equals = whole.find('=');
    const LabParameter* p =
        equals == std::string::npos ? nullptr : labParameterNamed(whole.substr(0, equals));
    uint64_t v[3] = {0, 0, 0};
    size_t at = equals + 1;
    bool ok = p != nullptr;
    for (int i = 0; ok && i < 3; ++i) {
        const size_t end = i < 2 ? whole.find(':', at) : whole.size();
        ok = end != std::string::npos && readDecimal(whole.substr(at, end - at), 1u << 30, v[i]);
        at = end + 1;
    }
    ok = ok && v[2] >= 1 && v[0] <= v[1] && static_cast<int64_t>(v[0]) >= p->least &&
         static_cast<int64_t>(v[1]) <= p->most && (v[1] - v[0]) / v[2] < 1000;
    if (!ok) {
        std::string range = "NAME=FROM:TO:STEP, a lab setting's name and FROM <= TO in its "
                            "range, STEP 1 or more, at most 1000 values";
        if (p != nullptr)
            range += " (" + std::string(p->name) + ": " + std::to_string(p->least) + " to " +
                     std::to_string(p->most) + ")";
        return numberError("--lab-sweep", text, range.c_str(), error);
    }
    o.hasSweep = true;
    o.sweep = {p->name, static_cast<int32_t>(v[0]), static_cast<int32_t>(v[1]),
               static_cast<int32_t>(v[2])};
    return true;
}

bool takesValue(const std::string& option) {
    return option == "--seed" || option == "--frames" || option == "--dump-every" ||
           option == "--input" || option == "--record" || option == "--dump" ||
           option == "--screenshot" || option == "--scale" || option == "--vsync" ||
           option == "--data" || option == "--watch" || option == "--metrics" ||
           option == "--lab-sweep" || option == "--renderer";
}

bool takeValue(const std::string& option, std::string_view text, CommandLine& o,
               std::string& error) {
    if (option == "--seed" || option == "--frames" || option == "--dump-every" ||
        option == "--watch") {
        return takeNumber(option, text, o, error);
    }
    if (option == "--scale") return takeScale(text, o, error);
    if (option == "--vsync") return takeVsync(text, o, error);
    if (option == "--renderer") return takeRenderer(text, o, error);
    if (option == "--lab-sweep") return takeSweep(text, o, error);
    return takePath(option, text, o, error);
}

bool takeFlag(const std::string& option, CommandLine& o, std::string& error) {
    if (option == "--headless")
        o.headless = true;
    else if (option == "--help")
        o.help = true;
    else if (option == "--version")
        o.version = true;
    else if (option == "--mute")
        o.mute = true;
    else if (option == "--no-flashes")
        o.noFlashes = true;
    else if (option == "--end-paused")
        o.endPaused = true;
    else if (option == "--scores")
        o.scores = true;
    else if (option.rfind("--", 0) != 0) {
        error = "unexpected argument '" + quoteForMessage(option) +
                "' (options start with --, see --help)";
        return false;
    } else {
        error = "unknown option '" + quoteForMessage(option) + "' (see --help)";
        return false;
    }
    return true;
}

// Options that make sense alone but not together.
bool checkCombination(const CommandLine& o, std::string& error) {
    if (o.headless && o.inputPath.empty() && !o.hasFrames) {
        error = "--headless needs --input or --frames to know when to stop";
        return false;
    }
    if (o.watch > 0 && (o.headless || !o.inputPath.empty() || !o.recordPath.empty() || o.hasSeed)) {
        error = "--watch plays a saved game as it was and cannot be used with --headless, "
                "--input, --record or --seed";
        return false;
    }
    if (o.watch > 0 && o.lab) {
        error = "--watch plays a saved game as it was and cannot be used with --lab";
        return false;
    }
    if (o.hasSweep && (!o.headless || o.inputPath.empty())) {
        error = "--lab-sweep plays an input log without a window: it needs --headless and --input";
        return false;
    }
    if (o.hasSweep && (!o.recordPath.empty() || !o.dumpPath.empty() || !o.metricsPath.empty())) {
        error = "--lab-sweep prints one row per value and cannot be used with --record, --dump or "
                "--metrics";
        return false;
    }
    if (o.headless && !o.screenshotPath.empty()) {
        error = "--screenshot needs the window and cannot be used with --headless";
        return false;
    }
    return true;
}

} // namespace

bool parseCommandLine(int argc, char** argv, CommandLine& options, std::string& error) {
    options = CommandLine();
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        std::string_view value;
        bool inlineValue = false;
        const size_t equals = option.find('=');
        if (option.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = std::string_view(argv[i]).substr(equals + 1);
            option.resize(equals);
            inlineValue = true;
        }
        // --lab takes a value when one follows, and stands alone otherwise.
        if (option == "--lab") {
            options.lab = true;
            if (inlineValue) {
                options.labArguments.emplace_back(value);
            } else if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) {
                options.labArguments.emplace_back(argv[++i]);
            }
            continue;
        }
        if (!takesValue(option)) {
            if (inlineValue) {
                error = "option " + quoteForMessage(option) + " takes no value";
                return false;
            }
            if (!takeFlag(option, options, error)) return false;
            // Help and version answer at once, whatever follows.
            if (options.help || options.version) return true;
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                error = "missing value for " + option;
                return false;
            }
            value = argv[++i];
        }
        if (!takeValue(option, value, options, error)) return false;
    }
    return checkCombination(options, error);
}

std::string usageText() {
    return std::string(kUsage) + filesHelpText();
}
