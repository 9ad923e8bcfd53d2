// The keys the game knows, by the position on the keyboard: the name written in config.txt and on
// the pause screen, the USB usage that numbers the position (as SDL's scancodes do), the game's
// input number and the browser's KeyboardEvent.code; and the game controller's buttons by name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct KeyInfo {
    const char* name;    // "Z", "Left Shift", "Keypad 4"; empty for a key with no name
    uint16_t usage;      // the position: USB HID keyboard usage
    uint8_t input;       // the game's input number, 0 for a key the game's inputs do not have
    const char* domCode; // the browser's name for the position, empty where it has none
};

// Every key, in the order of its usage.
std::span<const KeyInfo> knownKeys();
// The key of a name, letters in any case (the first where two share it); null for none.
const KeyInfo* keyNamed(std::string_view name);
const KeyInfo* keyOfUsage(int usage);
const KeyInfo* keyOfDomCode(std::string_view code);
// The game's input number of the key at usage; 0 for none.
uint8_t inputOfUsage(int usage);
// The name a key is written and shown with; "key N" for a usage without a name.
std::string keyName(int usage);

// Keys by usage that the game keeps for itself: Escape, F12, M and Pause never stand for a
// control.
namespace key_usage {
constexpr uint16_t kM = 16;
constexpr uint16_t kP = 19;
constexpr uint16_t kR = 21;
constexpr uint16_t kX = 27;
constexpr uint16_t kZ = 29;
constexpr uint16_t kEscape = 41;
constexpr uint16_t kF12 = 69;
constexpr uint16_t kPause = 72;
constexpr uint16_t kRight = 79;
constexpr uint16_t kLeft = 80;
constexpr uint16_t kDown = 81;
constexpr uint16_t kUp = 82;
} // namespace key_usage
bool isReservedKey(int usage);

// A game controller's buttons, numbered as the standard gamepad layout (and SDL) number them.
enum class PadButton : int8_t {
    kNone = -1,
    kA,
    kB,
    kX,
    kY,
    kBack,
    kGuide,
    kStart,
    kLeftStick,
    kRightStick,
    kLeftShoulder,
    kRightShoulder,
    kDpadUp,
    kDpadDown,
    kDpadLeft,
    kDpadRight,
    kMisc1,
    kPaddle1,
    kPaddle2,
    kPaddle3,
    kPaddle4,
    kTouchpad,
};
constexpr int kPadButtonCount = 21;
// "a", "leftshoulder", "dpup"; "default" for kNone.
const char* padButtonName(PadButton button);
// The button of a name, letters in any case; kNone for none.
PadButton padButtonNamed(std::string_view name);
