// The state dump: JSON Lines written by hand, keys in a fixed order so dumps compare byte for byte.
#include "game/state_dump.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#include "base/regular_file.h"
#include "game/game_env.h"
#include "world/element.h"
#include "world/field_writer.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/random.h"

namespace {

// Builds one JSON object; keys and values are appended in the order they are given.
class JsonLine : public FieldWriter {
  public:
    explicit JsonLine(std::string& out) : out_(out) {}

    // An element's own fields.
    void field(const char* name, int64_t value) override {
        key(name);
        number(value);
    }
    void real(const char* name, float value) override {
        key(name);
        real(value);
    }
    void beginRows(const char* name) override { beginArray(name); }
    void row(std::initializer_list<int64_t> values) override { numbers(values); }
    void endRows() override { endArray(); }

    void begin() { open('{'); }
    void end() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void key(const char* name) {
        separate();
        out_ += '"';
        out_ += name;
        out_ += "\": ";
        pendingValue_ = true;
    }
    void beginObject(const char* name) {
        key(name);
        begin();
    }
    void beginArray(const char* name) {
        key(name);
        beginArray();
    }
    void number(int64_t value) {
        separate();
        char text[24];
        const auto result = std::to_chars(text, text + sizeof text, value);
        out_.append(text, result.ptr);
    }
    // Nine significant digits read back as the same single-precision value.
    void real(float value) {
        separate();
        if (!std::isfinite(value)) value = 0.0f;
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
        out_ += text;
    }
    void numbers(std::initializer_list<int64_t> values) {
        beginArray();
        for (int64_t v : values)
            number(v);
        endArray();
    }

  private:
    void open(char bracket) {
        separate();
        out_ += bracket;
        first_ = true;
    }
    void close(char bracket) {
        out_ += bracket;
        first_ = false;
    }
    // A comma before every value but the first of its object or array; none right after a key.
    void separate() {
        if (pendingValue_) {
            pendingValue_ = false;
            first_ = false;
            return;
        }
        if (!first_) out_ += ", ";
        first_ = false;
    }

    std::string& out_;
    bool first_ = true;
    bool pendingValue_ = false;
};

void writeRecord(JsonLine& json, const GameState& s) {
    json.beginObject("state");
    json.field("score", s.score);
    json.field("lives", s.lives);
    json.field("level", s.level);
    json.field("killsToNextLevel", s.killsToNextLevel);
    json.field("gameOverFrames", s.gameOverFrames);
    json.field("frameCount", s.frameCount);
    json.field("restartArmed", s.restartArmed ? 1 : 0);
    json.field("highScore", s.highScore);
    json.end();
}

void writeLevel(JsonLine& json, const Level& level) {
    json.beginObject("level");
    json.field("scrollX", level.scrollX);
    json.field("spawnTimer", level.spawnTimer);
    json.field("topWall", level.topWall);
    json.field("topWallSpeed", level.topWallSpeed);
    json.field("bottomWall", level.bottomWall);
    json.field("bottomWallSpeed", level.bottomWallSpeed);
    json.beginArray("tiles");
    for (int row = 0; row < Level::kRows; ++row) {
        json.beginArray();
        for (int column = 0; column < Level::kColumns; ++column)
            json.number(level.tile(column, row));
        json.endArray();
    }
    json.endArray();
    json.beginArray("stars");
    for (const MoveRec& star : level.stars)
        json.numbers({star.x, star.y, star.vx, star.vy});
    json.endArray();
    json.end();
}

void writeElement(JsonLine& json, int slot, const Element& e) {
    json.begin();
    json.field("slot", slot);
    json.field("code", static_cast<int64_t>(e.category) + e.type);
    json.field("active", e.active ? 1 : 0);
    json.field("isNew", e.isNew ? 1 : 0);
    json.field("dead", e.dead ? 1 : 0);
    json.field("layer", e.layer);
    json.field("x", e.x);
    json.field("y", e.y);
    json.field("vx", e.vx);
    json.field("vy", e.vy);
    json.key("hitbox");
    json.numbers({e.hitbox.x, e.hitbox.y, e.hitbox.w, e.hitbox.h});
    e.writeFields(json);
    json.end();
}

} // namespace

void appendStateLine(std::string& out, const GameEnv& env, int64_t frame,
                     const std::vector<PlayedSound>& sounds) {
    static const GameState kNoRecord;
    static const Level kNoLevel;
    JsonLine json(out);
    json.begin();
    json.field("frame", frame);
    json.field("rng", randomState());
    writeRecord(json, env.state != nullptr ? *env.state : kNoRecord);
    json.field("colorCycle", env.state != nullptr ? env.state->colorCycle : 0);
    writeLevel(json, env.level != nullptr ? *env.level : kNoLevel);
    json.beginArray("elements");
    for (int slot = 0; slot < GameEnv::kSlots; ++slot) {
        if (env.elements[slot] != nullptr) writeElement(json, slot, *env.elements[slot]);
    }
    json.endArray();
    json.beginArray("sounds");
    for (const PlayedSound& s : sounds)
        json.numbers({s.id, s.volume, s.rate});
    json.endArray();
    json.end();
}

StateDump::~StateDump() {
    close();
}

bool StateDump::open(const std::string& path, int64_t every, std::string& error) {
    close();
    if (path == "-") {
        file_ = stdout;
        ownsFile_ = false;
    } else {
        file_ = std::fopen(path.c_str(), "wb");
        ownsFile_ = true;
        if (file_ == nullptr) {
            error =
                "cannot write state dump '" + quoteForMessage(path) + "': " + std::strerror(errno);
            return false;
        }
    }
    every_ = std::max<int64_t>(every, 1);
    lastWritten_ = -1;
    writeFailed_ = false;
    sounds_.clear();
    return true;
}

void StateDump::takeSounds() {
    const int count = SoundRecord::count();
    for (int i = 0; i < count && sounds_.size() < kMaxSounds; ++i) {
        sounds_.push_back(SoundRecord::at(i));
    }
    SoundRecord::clear();
}

void StateDump::afterFrame(const GameEnv& env, int64_t frame) {
    if (file_ == nullptr) return;
    takeSounds();
    if (frame % every_ == 0) writeLine(env, frame);
}

void StateDump::finish(const GameEnv& env, int64_t frame) {
    if (file_ == nullptr) return;
    takeSounds();
    if (frame != lastWritten_) writeLine(env, frame);
}

void StateDump::writeLine(const GameEnv& env, int64_t frame) {
    line_.clear();
    appendStateLine(line_, env, frame, sounds_);
    line_ += '\n';
    // Each line goes out whole as it is made, so a run that is killed leaves complete lines.
    if (std::fwrite(line_.data(), 1, line_.size(), file_) != line_.size() ||
        std::fflush(file_) != 0)
        writeFailed_ = true;
    sounds_.clear();
    lastWritten_ = frame;
}

bool StateDump::close() {
    if (file_ == nullptr) return !writeFailed_;
    if (std::fflush(file_) != 0) writeFailed_ = true;
    if (ownsFile_ && std::fclose(file_) != 0) writeFailed_ = true;
    file_ = nullptr;
    return !writeFailed_;
}
