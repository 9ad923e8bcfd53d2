// The preview follows the game's screen layout: playfield band y 56..183 between black borders,
// title glyphs bobbing above, score display below, everything doubled to 640 x 480.
#include "scene_preview.h"

#include "contact_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace assetgen {

namespace {

using Pictures = std::map<std::string, Image>;

void box(Image& s, int x, int y, int w, int h, Rgba c) {
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            if (s.inside(i, j)) {
                s.set(i, j, c);
            }
        }
    }
}

void sprite(Image& s, const Pictures& p, const std::string& name, int x, int y,
            bool mirror = false) {
    ContactSheet::blit(s, p.at(name), x, y, 1, mirror);
}

// The flash look: the pale variant multiplied by a colour, as the game's tint does.
void tinted(Image& s, const Pictures& p, const std::string& name, int x, int y, Rgba colour) {
    Image pale = ContactSheet::paleVariant(p.at(name));
    for (int j = 0; j < pale.height(); ++j) {
        for (int i = 0; i < pale.width(); ++i) {
            Rgba c = pale.at(i, j);
            c.r = static_cast<std::uint8_t>(c.r * colour.r / 255);
            c.g = static_cast<std::uint8_t>(c.g * colour.g / 255);
            c.b = static_cast<std::uint8_t>(c.b * colour.b / 255);
            pale.set(i, j, c);
        }
    }
    ContactSheet::blit(s, pale, x, y, 1);
}

// A fixed scramble so the preview is the same every time.
unsigned scramble(unsigned v) {
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    return v ^ (v >> 16);
}

void number(Image& s, const Pictures& p, int x, int y, const std::string& digits) {
    for (std::size_t i = 0; i < digits.size(); ++i) {
        sprite(s, p, std::string("n") + digits[i], x + 7 * static_cast<int>(i), y);
    }
}

} // namespace

void ScenePreview::background(Image& s) {
    box(s, 0, 56, 320, 32, Rgba{0, 0, 160, 255});
    box(s, 0, 88, 320, 8, Rgba{0, 0, 120, 255});
    box(s, 0, 96, 320, 48, Rgba{0, 0, 80, 255});
    box(s, 0, 144, 320, 8, Rgba{0, 0, 120, 255});
    box(s, 0, 152, 320, 32, Rgba{0, 0, 160, 255});
    for (unsigned i = 0; i < 100; ++i) {
        const int x = static_cast<int>(scramble(i * 2 + 1) % 320);
        const int y = 96 + static_cast<int>(scramble(i * 2 + 2) % 48);
        if (i < 50) {
            box(s, x, y, 2, 1, Rgba{32, 32, 128, 255});
        } else {
            box(s, x, y, 1, 1, Rgba{64, 64, 196, 255});
            box(s, x + 1, y, 2, 1, Rgba{32, 32, 128, 255});
        }
    }
}

// Walls as the level builds them: two random edge tiles at the open side, black behind them.
void ScenePreview::walls(Image& s, const Pictures& p) {
    int top = 10;
    int bottom = 20;
    for (int c = 0; c < 40; ++c) {
        const unsigned r = scramble(static_cast<unsigned>(c) + 77);
        top = std::clamp(top + static_cast<int>(r % 9) - 4, -8, 31);
        bottom = std::clamp(bottom + static_cast<int>((r >> 8) % 9) - 4, -8, 31);
        for (int k = 0; k < 5 && top >= 0; ++k) {
            const int row = top / 8 - k;
            const unsigned v = scramble(r + static_cast<unsigned>(k)) % 8;
            if (row < 0) {
                break;
            }
            if (k < 2) {
                sprite(s, p, "tile" + std::to_string(v / 2 + 1), 8 * c, 56 + 8 * row, v % 2 == 1);
            } else {
                box(s, 8 * c, 56 + 8 * row, 8, 8, Rgba{0, 0, 0, 255});
            }
        }
        for (int k = 0; k < 5 && bottom >= 0; ++k) {
            const int row = 15 - bottom / 8 + k;
            const unsigned v = scramble(r + 31 + static_cast<unsigned>(k)) % 8;
            if (row > 15) {
                break;
            }
            if (k < 2) {
                sprite(s, p, "tile" + std::to_string(v / 2 + 1), 8 * c, 56 + 8 * row, v % 2 == 1);
            } else {
                box(s, 8 * c, 56 + 8 * row, 8, 8, Rgba{0, 0, 0, 255});
            }
        }
    }
}

void ScenePreview::actors(Image& s, const Pictures& p) {
    const int sx = 60;
    const int sy = 84;
    // A chain swinging back and down from the anchor (20, 10), orbs on nodes 7, 15 and 23.
    int nodeX[24];
    int nodeY[24];
    double x = sx + 20;
    double y = sy + 10;
    for (int i = 0; i < 24; ++i) {
        nodeX[i] = static_cast<int>(std::lround(x));
        nodeY[i] = static_cast<int>(std::lround(y));
        const double a = 1.5 + 0.07 * i; // radians from the right, bending back and up
        x += 4.0 * std::cos(a);
        y += 4.0 * std::sin(a) * (i < 14 ? 1.0 : -1.0);
    }
    for (int i = 1; i < 24; ++i) {
        sprite(s, p, "link", nodeX[i] - 3, nodeY[i] - 3);
    }
    sprite(s, p, "ship1", sx, sy);
    const int dirs[3] = {3, 4, 5};
    for (int i = 0; i < 3; ++i) {
        const int n = 7 + 8 * i;
        sprite(s, p, "orb" + std::to_string(dirs[i]), nodeX[n] - 7, nodeY[n] - 7);
    }
    tinted(s, p, "ship2", 20, 140, Rgba{255, 255, 0, 255});
    sprite(s, p, "pshot", 112, sy + 9);
    sprite(s, p, "pshot", 150, sy + 9);
    for (int d = 0; d < 8; ++d) {
        sprite(s, p, "shot" + std::to_string(d), 120 + 18 * d, 150);
    }
    sprite(s, p, "enemy1", 230, 96);
    sprite(s, p, "enemy2", 262, 120);
    tinted(s, p, "enemy1", 200, 130, Rgba{255, 0, 0, 255});
    sprite(s, p, "eshot", 215, 104);
    sprite(s, p, "eshot", 190, 108);
    for (int f = 1; f <= 4; ++f) {
        sprite(s, p, "exp" + std::to_string(f), 170 + 20 * f, 66);
    }
    for (int d = 0; d < 8; ++d) {
        sprite(s, p, "orb" + std::to_string(d), 230 + 16 * (d % 4), 140 + 16 * (d / 4));
    }
}

void ScenePreview::borders(Image& s, const Pictures& p) {
    box(s, 0, 0, 320, 56, Rgba{0, 0, 0, 255});
    box(s, 0, 184, 320, 56, Rgba{0, 0, 0, 255});
    box(s, 0, 55, 320, 1, Rgba{255, 255, 255, 255});
    box(s, 0, 184, 320, 1, Rgba{255, 255, 255, 255});
    const int frame = 40;
    const int q = 2 * frame / 18;
    const int r = 2 * frame % 18;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 20; ++i) {
            const int t = frame - r + 18 * i;
            const double wave = 11.99 * std::sin(0.04 * t);
            const std::string glyph = "orvane_" + std::to_string((i + q) % 5 + 1);
            if (pass == 0) {
                const int y = 20 - static_cast<int>(std::nearbyint(-wave));
                tinted(s, p, glyph, -8 - r + 18 * i, y, Rgba{128, 128, 128, 255});
            } else {
                sprite(s, p, glyph, -r + 18 * i, 20 - static_cast<int>(std::nearbyint(wave)));
            }
        }
    }
    number(s, p, 8, 192, "000000012345");
    box(s, 92, 198, 2, 2, Rgba{130, 130, 130, 255});
    number(s, p, 95, 201, "3");
    box(s, 102, 207, 2, 2, Rgba{130, 130, 130, 255});
    number(s, p, 105, 210, "07");
    box(s, 119, 213, 2, 2, Rgba{130, 130, 130, 255});
    number(s, p, 122, 210, "19");
    number(s, p, 8, 227, "000000098760");
    sprite(s, p, "hi", 91, 225);
    sprite(s, p, "vantrel", 216, 205);
}

Image ScenePreview::gameOver(const Pictures& pictures) {
    Image screen(320, 240);
    background(screen);
    walls(screen, pictures);
    actors(screen, pictures);
    const Image& tile = pictures.at("gameover");
    for (int y = 56; y < 184; ++y) {
        for (int x = 0; x < 320; ++x) {
            const Rgba t = tile.at(x % tile.width(), (y - 56) % tile.height());
            Rgba c = screen.at(x, y);
            c.r = static_cast<std::uint8_t>(c.r * t.r / 255);
            c.g = static_cast<std::uint8_t>(c.g * t.g / 255);
            c.b = static_cast<std::uint8_t>(c.b * t.b / 255);
            screen.set(x, y, c);
        }
    }
    Image doubled(640, 256);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 640; ++x) {
            doubled.set(x, y, screen.at(x / 2, 56 + y / 2));
        }
    }
    return doubled;
}

Image ScenePreview::draw(const Pictures& pictures) {
    Image screen(320, 240);
    background(screen);
    walls(screen, pictures);
    actors(screen, pictures);
    borders(screen, pictures);
    Image doubled(640, 480);
    ContactSheet::blit(doubled, screen, 0, 0, 2);
    return doubled;
}

} // namespace assetgen
