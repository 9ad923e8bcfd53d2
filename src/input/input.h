// The held state of the keyboard and joystick, refreshed once a frame and asked by input number.
#pragma once

#include <cstdint>

// Input numbers: 0-255 keyboard scan codes, 256-259 stick right/left/up/down, 260-265 buttons 0-5.
constexpr int32_t kKeyEscape = 0x01;
constexpr int32_t kKeyZ = 0x2C;
constexpr int32_t kKeyX = 0x2D;
constexpr int32_t kKeyUp = 0xC8;
constexpr int32_t kKeyLeft = 0xCB;
constexpr int32_t kKeyRight = 0xCD;
constexpr int32_t kKeyDown = 0xD0;
// A stick axis (-1000 to 1000) counts as pushed beyond this.
constexpr int32_t kJoyThreshold = 300;
constexpr int32_t kJoyRight = 0x100;
constexpr int32_t kJoyLeft = 0x101;
constexpr int32_t kJoyUp = 0x102;
constexpr int32_t kJoyDown = 0x103;
constexpr int32_t kJoyButton0 = 0x104;
constexpr int32_t kJoyButton1 = 0x105;
constexpr int32_t kJoyButton2 = 0x106;
constexpr int32_t kJoyButton3 = 0x107;
constexpr int32_t kInputCount = 266;

// Where the held state comes from: the devices, an input log, or nothing.
class InputSource {
  public:
    virtual ~InputSource() = default;
    // Called once when the Input object is made: opens devices, starts any polling thread.
    virtual void start() {}
    // keys: one byte per scan code, high bit set while down; joyState: 0 or 1 each
    // (right, left, up, down, buttons 0-5). Left unchanged where the source has nothing new.
    virtual void readState(uint8_t keys[256], uint8_t joyState[10]) = 0;
    // Ends any polling and releases the devices.
    virtual void shutdown() {}
};

// Told the held inputs of every frame, to write an input log.
class Input;
enum class Control;

class InputRecorder {
  public:
    virtual ~InputRecorder() = default;
    virtual void recordFrame(const Input& input) = 0;
};

class Input {
  public:
    // The source is not owned and is started here; null reads every input as up.
    explicit Input(InputSource* source);

    void readState();
    // 1 while held, else 0; numbers outside 0-265 read 0.
    uint8_t isDown(int32_t n) const;
    // True while any input bound to the control is held.
    bool held(Control control) const;
    void shutdown();
    void setRecorder(InputRecorder* recorder) { recorder_ = recorder; }
    // Reads from another source (already started, not owned) from the next frame on; returns
    // the one it replaces, which is neither stopped nor forgotten by the caller's choice.
    InputSource* swapSource(InputSource* source) {
        InputSource* old = source_;
        source_ = source;
        return old;
    }

    uint8_t keys[256] = {};
    uint8_t joyState[10] = {};
    int32_t joyThreshold = kJoyThreshold;

  private:
    InputSource* source_;
    InputRecorder* recorder_ = nullptr;
};
