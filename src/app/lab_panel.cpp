// The lab's keys, its pace and its drawing over the game's picture.
#include "app/lab_panel.h"

#include <algorithm>
#include <cstdio>

#include "app/lab.h"
#include "game/setup.h"
#include "render/draw.h"
#include "world/game_state.h"

namespace {

// The lab's keys, by USB usage; the game never reads them, unless a player gave one to a control.
constexpr int kKeyC = 6;
constexpr int kKeyE = 8;
constexpr int kKeyF = 9;
constexpr int kKeyN = 17;
constexpr int kKeyT = 23;
constexpr int kKeyV = 25;
constexpr int kKey1 = 30;
constexpr int kKey2 = 31;
constexpr int kKey4 = 33;
constexpr int kBackspace = 42;
constexpr int kTab = 43;
constexpr int kMinus = 45;
constexpr int kEquals = 46; // the + key
constexpr int kHome = 74;
constexpr int kPageUp = 75;
constexpr int kPageDown = 78;
constexpr int kPadMinus = 86;
constexpr int kPadPlus = 87;

constexpr int kMessageFrames = 150;
constexpr int kPanelHeight = 55; // the top border, above the band
constexpr int kLine = 9;
constexpr RgbInt kDim{150, 150, 150};
constexpr RgbInt kBright{255, 255, 255};
constexpr RgbInt kChanged{255, 220, 90};
constexpr RgbInt kOrbColors[4] = {{255, 230, 60}, {60, 230, 255}, {255, 80, 255}, {90, 255, 90}};

} // namespace

bool LabPanel::key(int usage) {
    switch (usage) {
    case kTab:
        visible_ = !visible_;
        break;
    case kPageUp:
        picked_ = (picked_ + kLabParameterCount - 1) % kLabParameterCount;
        break;
    case kPageDown:
        picked_ = (picked_ + 1) % kLabParameterCount;
        break;
    case kEquals:
    case kPadPlus:
        change(1);
        break;
    case kMinus:
    case kPadMinus:
        change(-1);
        break;
    case kBackspace:
        resetPicked();
        break;
    case kHome:
        resetAll();
        break;
    case kKey1:
        slowdown_ = 1;
        break;
    case kKey2:
        slowdown_ = 2;
        break;
    case kKey4:
        slowdown_ = 4;
        break;
    case kKeyF:
        held_ = !held_;
        break;
    case kKeyN:
        held_ = stepOnce_ = true;
        break;
    case kKeyT:
        traces_ = !traces_;
        break;
    case kKeyC:
        compare();
        break;
    case kKeyV:
        lab_.switchView();
        break;
    case kKeyE:
        exportWanted_ = lab_.comparing();
        break;
    default:
        return false;
    }
    return true;
}

// Back shows and hides the panel; the shoulders pick, the stick buttons change.
bool LabPanel::button(PadButton button) {
    switch (button) {
    case PadButton::kBack:
        return key(kTab);
    case PadButton::kLeftShoulder:
        return key(kPageUp);
    case PadButton::kRightShoulder:
        return key(kPageDown);
    case PadButton::kLeftStick:
        return key(kMinus);
    case PadButton::kRightStick:
        return key(kEquals);
    default:
        return false;
    }
}

bool LabPanel::takeExportRequest() {
    const bool wanted = exportWanted_;
    exportWanted_ = false;
    if (!wanted && !lab_.comparing()) say("E EXPORTS A COMPARISON: C FIRST");
    return wanted;
}

std::string LabPanel::exportText() {
    return lab_.exportText();
}

int LabPanel::frames(int due) {
    if (held_) {
        const int n = stepOnce_ ? 1 : 0;
        stepOnce_ = false;
        return n;
    }
    owed_ += due;
    const int n = owed_ / slowdown_;
    owed_ %= slowdown_;
    return n;
}

void LabPanel::say(std::string message) {
    message_ = std::move(message);
    messageFrames_ = kMessageFrames;
}

void LabPanel::change(int direction) {
    const LabParameter& p = kLabParameters[picked_];
    LabSettings next = lab_.settings();
    int32_t& value = next.*(p.field);
    value = std::clamp(value + direction * p.step, p.least, p.most);
    std::string why;
    if (!lab_.change(next, why)) say(why);
}

void LabPanel::resetPicked() {
    const LabParameter& p = kLabParameters[picked_];
    LabSettings next = lab_.settings();
    next.*(p.field) = LabSettings{}.*(p.field);
    std::string why;
    if (!lab_.change(next, why)) say(why);
}

void LabPanel::resetAll() {
    std::string why;
    lab_.change(LabSettings{}, why);
    say("EVERY SETTING BACK TO THE GAME'S OWN");
}

void LabPanel::compare() {
    if (lab_.comparing()) {
        lab_.stopCompare();
        say("PLAYING AGAIN WITH " + std::string(1, lab_.view()) + "'S SETTINGS");
        return;
    }
    std::string why;
    if (lab_.startCompare(why)) {
        say("A AND B: CHANGE ONE, V SWITCHES, E EXPORTS");
    } else {
        say(why);
    }
}

void LabPanel::draw(const TextFont& font) const {
    if (traces_) drawTraces();
    if (visible_) {
        drawBox(0, 0, 320, kPanelHeight, {0, 0, 0});
        if (font.loaded()) {
            const bool showMessage = messageFrames_ > 0;
            font.draw(2, 1, showMessage ? message_ : statusLine(),
                      showMessage ? kChanged : kBright);
            drawParameters(font);
            drawNumbers(font);
        }
    }
    if (messageFrames_ > 0) --messageFrames_;
    finishBoxes();
}

std::string LabPanel::statusLine() const {
    std::string line = lab_.comparing() ? "COMPARE: " + std::string(1, lab_.view()) + " " +
                                              std::to_string(lab_.compareFrame()) + "/" +
                                              std::to_string(lab_.stretchFrames())
                                        : "LAB";
    if (slowdown_ > 1) line += "  SPEED 1/" + std::to_string(slowdown_);
    if (held_) line += "  HELD (N: A FRAME)";
    return line;
}

// Five parameters around the one picked; those changed from the game's own in gold.
void LabPanel::drawParameters(const TextFont& font) const {
    const LabSettings& now = lab_.settings();
    const LabSettings own;
    for (int row = 0; row < 5; ++row) {
        const int i = picked_ - 2 + row;
        if (i < 0 || i >= kLabParameterCount) continue;
        const LabParameter& p = kLabParameters[i];
        char text[40];
        std::snprintf(text, sizeof text, "%c%-12s %5d", i == picked_ ? '>' : ' ', p.name,
                      now.*(p.field));
        const RgbInt color = now.*(p.field) != own.*(p.field) ? kChanged
                             : i == picked_                   ? kBright
                                                              : kDim;
        font.draw(2, 1 + kLine * (row + 1), text, color);
    }
}

// The live numbers of the run shown; in a comparison, each setting's over the whole stretch.
void LabPanel::drawNumbers(const TextFont& font) const {
    constexpr int x = 128;
    if (lab_.comparing()) {
        font.draw(x, 1 + kLine, "   KILL  ABS  HIT LOCK  DIST", kDim);
        for (int r = 0; r < 2; ++r) {
            const char which = r == 0 ? 'A' : 'B';
            const LabNumbers& n = lab_.totals(which);
            char text[48];
            std::snprintf(text, sizeof text, "%c %5lld %4lld %4lld %4.0f %5.1f", which,
                          static_cast<long long>(n.kills), static_cast<long long>(n.absorbed),
                          static_cast<long long>(n.hitsTaken), n.meanLockFrames, n.meanOrbDistance);
            font.draw(x, 1 + kLine * (r + 2), text, lab_.view() == which ? kBright : kDim);
        }
        return;
    }
    const LabCounters& c = gameEnv->counters;
    const std::string lines[4] = {
        "KILLS " + std::to_string(c.kills) + "  HITS " + std::to_string(c.hitsTaken),
        "SHOTS ABSORBED " + std::to_string(c.absorbed), "ORB SHOTS " + std::to_string(c.orbShots),
        c.locks > 0 ? "LOCK AFTER " + std::to_string(c.lastLockFrames) +
                          (c.lastLockFrames == 1 ? " FRAME" : " FRAMES")
                    : "NOT LOCKED YET"};
    for (int r = 0; r < 4; ++r)
        font.draw(x + 60, 1 + kLine * (r + 1), lines[r], kBright);
}

// The last two seconds of each orb's path, and a cross where the orbs were as the chain locked.
void LabPanel::drawTraces() const {
    for (const LabTrace::Sample& s : lab_.trace().samples()) {
        for (int i = 0; i < s.count; ++i)
            drawBox(s.orbs[i].x, s.orbs[i].y, 1, 1, kOrbColors[i]);
    }
    if (lab_.trace().framesSinceLock() < 0) return;
    const LabTrace::Sample& lock = lab_.trace().lastLock();
    for (int i = 0; i < lock.count; ++i) {
        drawBox(lock.orbs[i].x - 3, lock.orbs[i].y, 7, 1, kBright);
        drawBox(lock.orbs[i].x, lock.orbs[i].y - 3, 1, 7, kBright);
    }
}
