// Picture source reading: size, alpha, legend, draw and pixels statements, in file order.
#include "picture_library.h"

#include "text_lines.h"

#include <cmath>
#include <utility>

namespace assetgen {

namespace {

// What a draw statement does to the source picture before it lands on the canvas.
struct Placement {
    double pivotX = 0.0;
    double pivotY = 0.0;
    int atX = 0;
    int atY = 0;
    std::vector<std::string> turns;
};

bool isTurn(const std::string& word) {
    return word == "rot90" || word == "rot180" || word == "rot270" || word == "mirror" ||
           word == "flip";
}

// Turns are clockwise on screen, where y grows downwards.
void applyTurn(const std::string& turn, double& dx, double& dy) {
    const double x = dx;
    const double y = dy;
    if (turn == "rot90") {
        dx = -y, dy = x;
    } else if (turn == "rot180") {
        dx = -x, dy = -y;
    } else if (turn == "rot270") {
        dx = y, dy = -x;
    } else if (turn == "mirror") {
        dx = -x;
    } else {
        dy = -y;
    }
}

void stamp(const Image& source, const Placement& place, Image& canvas) {
    for (int sy = 0; sy < source.height(); ++sy) {
        for (int sx = 0; sx < source.width(); ++sx) {
            const Rgba c = source.at(sx, sy);
            if (c.a == 0) {
                continue;
            }
            double dx = sx - place.pivotX;
            double dy = sy - place.pivotY;
            for (const std::string& turn : place.turns) {
                applyTurn(turn, dx, dy);
            }
            const int x = static_cast<int>(std::lround(place.pivotX + dx)) + place.atX;
            const int y = static_cast<int>(std::lround(place.pivotY + dy)) + place.atY;
            if (canvas.inside(x, y)) {
                canvas.set(x, y, c);
            }
        }
    }
}

// Reads the words after "draw NAME" into a placement; false on an unknown word.
bool parsePlacement(const std::vector<std::string>& w, const Image& source, Placement& place) {
    place.pivotX = (source.width() - 1) / 2.0;
    place.pivotY = (source.height() - 1) / 2.0;
    for (std::size_t i = 2; i < w.size(); ++i) {
        if (isTurn(w[i])) {
            place.turns.push_back(w[i]);
        } else if (w[i] == "pivot" && i + 2 < w.size()) {
            if (!parseNumber(w[i + 1], place.pivotX) || !parseNumber(w[i + 2], place.pivotY)) {
                return false;
            }
            i += 2;
        } else if (w[i] == "at" && i + 2 < w.size()) {
            if (!parseInt(w[i + 1], place.atX) || !parseInt(w[i + 2], place.atY)) {
                return false;
            }
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// The state of one source file while its statements are read.
struct Reader {
    std::string where;
    Image canvas;
    bool sized = false;
    bool soft = false;
    std::map<char, Rgba> legend{{'.', Rgba{0, 0, 0, 0}}};
    int pixelRow = -1; // row of the pixels block being read, -1 outside one

    bool fail(std::string& error, int line, const std::string& what) const {
        error = where + ":" + std::to_string(line) + ": " + what;
        return false;
    }
};

bool readPixelRow(Reader& r, const TextLine& line, std::string& error) {
    const std::string& row = line.words[0];
    if (line.words.size() != 1 || static_cast<int>(row.size()) != r.canvas.width()) {
        return r.fail(error, line.number,
                      "pixel row must be " + std::to_string(r.canvas.width()) + " characters");
    }
    for (int x = 0; x < r.canvas.width(); ++x) {
        const auto it = r.legend.find(row[static_cast<std::size_t>(x)]);
        if (it == r.legend.end()) {
            return r.fail(error, line.number, std::string("no legend for '") + row[x] + "'");
        }
        if (it->second.a != 0) {
            r.canvas.set(x, r.pixelRow, it->second);
        }
    }
    if (++r.pixelRow == r.canvas.height()) {
        r.pixelRow = -1;
    }
    return true;
}

bool checkOpacity(const Reader& r, std::string& error) {
    if (r.soft) {
        return true;
    }
    for (int y = 0; y < r.canvas.height(); ++y) {
        for (int x = 0; x < r.canvas.width(); ++x) {
            const std::uint8_t a = r.canvas.at(x, y).a;
            if (a != 0 && a != 255) {
                error = r.where + ": half-transparent colour in a picture without alpha";
                return false;
            }
        }
    }
    return true;
}

} // namespace

PictureLibrary::PictureLibrary(std::string dir, const Palette& palette)
    : dir_(std::move(dir)), palette_(palette) {}

bool PictureLibrary::get(const std::string& name, Image& picture, std::string& error) {
    const auto it = done_.find(name);
    if (it != done_.end()) {
        picture = it->second;
        return true;
    }
    if (!building_.insert(name).second) {
        error = name + ": picture drawn from itself";
        return false;
    }
    const bool ok = build(name, picture, error);
    building_.erase(name);
    if (ok) {
        done_[name] = picture;
    }
    return ok;
}

bool PictureLibrary::build(const std::string& name, Image& picture, std::string& error) {
    Reader r;
    r.where = dir_ + "/" + name + ".txt";
    TextLines text;
    if (!text.load(r.where, error)) {
        return false;
    }
    for (const TextLine& line : text.lines()) {
        const auto& w = line.words;
        if (r.pixelRow >= 0) {
            if (!readPixelRow(r, line, error)) {
                return false;
            }
        } else if (w[0] == "size" && w.size() == 3 && !r.sized) {
            int width = 0;
            int height = 0;
            if (!parseInt(w[1], width) || !parseInt(w[2], height) || width < 1 || height < 1 ||
                width > 256 || height > 256) {
                return r.fail(error, line.number, "bad size");
            }
            r.canvas = Image(width, height);
            r.sized = true;
        } else if (w[0] == "alpha" && w.size() == 1) {
            r.soft = true;
        } else if (w[0] == "legend" && w.size() == 3 && w[1].size() == 1) {
            Rgba colour;
            if (!palette_.find(w[2], colour)) {
                return r.fail(error, line.number, "no colour named " + w[2]);
            }
            r.legend[w[1][0]] = colour;
        } else if (w[0] == "draw" && w.size() >= 2) {
            Image source;
            if (!get(w[1], source, error)) {
                return false;
            }
            Placement place;
            if (!parsePlacement(w, source, place)) {
                return r.fail(error, line.number, "bad draw statement");
            }
            if (!r.sized) {
                r.canvas = Image(source.width(), source.height());
                r.sized = true;
                r.soft = r.soft || source.softAlpha();
            }
            stamp(source, place, r.canvas);
        } else if (w[0] == "pixels" && w.size() == 1 && r.sized) {
            r.pixelRow = 0;
        } else {
            return r.fail(error, line.number, "cannot read \"" + line.text + "\"");
        }
    }
    if (!r.sized || r.pixelRow >= 0) {
        return r.fail(error, static_cast<int>(text.lines().size()), "picture incomplete");
    }
    if (!checkOpacity(r, error)) {
        return false;
    }
    r.canvas.setSoftAlpha(r.soft);
    picture = r.canvas;
    return true;
}

} // namespace assetgen
