// Feeds arbitrary bytes to the config.txt reader, as a file and as text, to the setting lines
// reader and rewriter, and to the lab files' reader, which reads lines the same way.
#include <cstdlib>
#include <string>

#include "app/config.h"
#include "app/lab_file.h"
#include "app/player_options.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    long value = 0;
    parseConfigValue(text, value);

    FuzzFile file(data, size);
    DisplaySettings settings;
    settings.fullscreen = size > 0 && (data[0] & 1) != 0;
    const bool before = settings.fullscreen;
    if (readConfig(file.path(), settings) != ConfigResult::Read) std::abort();
    // Only the window choice may change, and only to what the value selects.
    if (settings.width != 640 || settings.height != 480 || settings.frameRate != 75) std::abort();
    long read = 0;
    const bool hasValue = parseConfigValue(text, read);
    const bool want = !hasValue ? false : read == 1 ? true : read == 0 ? false : before;
    if (settings.fullscreen != want) std::abort();

    // Rewriting keeps the display choice, and the options written read back as they were.
    PlayerOptions options;
    const auto none = [](const SettingLine&) { return std::string(); };
    parseSettingLines(text, options, none);
    const std::string rewritten =
        withSettingLines(text, isSettingName, formatPlayerOptions(options));
    PlayerOptions again;
    parseSettingLines(rewritten, again, none);
    if (!hasDisplayChoice(rewritten) || formatPlayerOptions(again) != formatPlayerOptions(options))
        std::abort();

    // A lab file's settings are always ones the chain can have, and read back as written.
    LabSettings lab;
    parseLabText(text, lab);
    LabSettings back;
    if (!labSettingsClash(lab).empty() || !parseLabText(formatLabSettings(lab), back).empty() ||
        !(back == lab))
        std::abort();
    return 0;
}
