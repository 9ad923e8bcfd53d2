// The lab's panel in the window and the page: pick a parameter and change it while playing,
// slow motion, holding the game and stepping it a frame at a time, the orbs' traces, the live
// numbers, and the comparison of two settings. The shell hands it the keys the game does not use.
#pragma once

#include <string>

#include "input/keys.h"
#include "render/text_font.h"

class Lab;

class LabPanel {
  public:
    explicit LabPanel(Lab& lab) : lab_(lab) {}

    // A key by usage, or a controller button: true when the lab took it.
    bool key(int usage);
    bool button(PadButton button);
    // True once after E asked for both runs' numbers.
    bool takeExportRequest();
    // Game frames to run of the frames due: fewer in slow motion, none while held, one a step.
    int frames(int due);
    // A line shown in the panel for a few seconds.
    void say(std::string message);
    // The traces and the panel over the picture.
    void draw(const TextFont& font) const;
    // Both runs' numbers as CSV, for the platform to save or download.
    std::string exportText();

  private:
    void change(int direction);
    void resetPicked();
    void resetAll();
    void compare();
    void drawTraces() const;
    void drawParameters(const TextFont& font) const;
    void drawNumbers(const TextFont& font) const;
    std::string statusLine() const;

    Lab& lab_;
    bool visible_ = true;
    bool traces_ = true;
    int picked_ = 0;
    int slowdown_ = 1; // 1, 2 or 4 passes a frame
    int owed_ = 0;     // frames due but not yet run in slow motion
    bool held_ = false;
    bool stepOnce_ = false;
    bool exportWanted_ = false;
    std::string message_;
    mutable int messageFrames_ = 0;
};
