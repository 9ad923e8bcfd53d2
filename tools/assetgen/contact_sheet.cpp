// Sheet layout and PNG output (libpng's simplified writer).
#include "contact_sheet.h"

#include "asset_list.h"
#include "pixel_font.h"
#include "png_writer.h"
#include "scene_preview.h"

#include <algorithm>
#include <vector>

namespace assetgen {

namespace {

constexpr int kScale = 4;
constexpr int kSheetWidth = 1400;
constexpr int kGap = 16;
const Rgba kPaper{40, 40, 48, 255};
const Rgba kLabel{230, 230, 230, 255};

void fill(Image& canvas, int x, int y, int w, int h, Rgba c) {
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            if (canvas.inside(i, j)) {
                canvas.set(i, j, c);
            }
        }
    }
}

// Checks of 4 x 4 sheet pixels behind each picture make its transparent parts visible.
void checker(Image& canvas, int x, int y, int w, int h) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const bool dark = ((i / 4) + (j / 4)) % 2 == 0;
            const std::uint8_t v = dark ? 70 : 100;
            if (canvas.inside(x + i, y + j)) {
                canvas.set(x + i, y + j, Rgba{v, v, static_cast<std::uint8_t>(v + 20), 255});
            }
        }
    }
}

int cellWidth(const Image& picture, bool tinted) {
    const int one = picture.width() * kScale;
    return tinted ? one * 2 + 8 : one;
}

void drawCell(Image& sheet, const PictureEntry& entry, const Image& picture, int x, int y) {
    const int w = picture.width() * kScale;
    const int h = picture.height() * kScale;
    checker(sheet, x, y, w, h);
    ContactSheet::blit(sheet, picture, x, y, kScale);
    if (entry.tinted) {
        checker(sheet, x + w + 8, y, w, h);
        ContactSheet::blit(sheet, ContactSheet::paleVariant(picture), x + w + 8, y, kScale);
    }
    PixelFont::write(sheet, x, y + h + 4, entry.name, 2, kLabel);
}

} // namespace

Image ContactSheet::paleVariant(const Image& picture) {
    Image pale(picture.width(), picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Rgba c = picture.at(x, y);
            const int v = std::min(255, 300 - (c.r + c.g + c.b) / 4);
            const auto g = static_cast<std::uint8_t>(v);
            pale.set(x, y, Rgba{g, g, g, c.a});
        }
    }
    return pale;
}

void ContactSheet::blit(Image& canvas, const Image& picture, int x, int y, int scale, bool mirror) {
    for (int j = 0; j < picture.height() * scale; ++j) {
        for (int i = 0; i < picture.width() * scale; ++i) {
            const int sx = mirror ? picture.width() - 1 - i / scale : i / scale;
            const Rgba s = picture.at(sx, j / scale);
            if (s.a == 0 || !canvas.inside(x + i, y + j)) {
                continue;
            }
            const Rgba d = canvas.at(x + i, y + j);
            const auto mix = [&s](std::uint8_t a, std::uint8_t b) {
                return static_cast<std::uint8_t>((a * s.a + b * (255 - s.a) + 127) / 255);
            };
            canvas.set(x + i, y + j, Rgba{mix(s.r, d.r), mix(s.g, d.g), mix(s.b, d.b), 255});
        }
    }
}

bool ContactSheet::save(const std::map<std::string, Image>& pictures, const std::string& path) {
    // First pass lays the cells out in rows, the second draws them.
    struct Spot {
        int x, y;
    };
    std::vector<Spot> spots;
    int x = kGap;
    int y = 480 + 2 * kGap;
    int rowHeight = 0;
    for (const PictureEntry& entry : AssetList::pictures()) {
        const Image& p = pictures.at(entry.name);
        const int w = cellWidth(p, entry.tinted);
        if (x + w > kSheetWidth - kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        spots.push_back({x, y});
        x += std::max(w, PixelFont::textWidth(entry.name, 2)) + kGap;
        rowHeight = std::max(rowHeight, p.height() * kScale + 16);
    }
    Image sheet(kSheetWidth, y + rowHeight + kGap);
    fill(sheet, 0, 0, sheet.width(), sheet.height(), kPaper);
    blit(sheet, ScenePreview::draw(pictures), kGap, kGap, 1);
    blit(sheet, ScenePreview::gameOver(pictures), 640 + 2 * kGap, kGap, 1);
    for (std::size_t i = 0; i < spots.size(); ++i) {
        const PictureEntry& entry = AssetList::pictures()[i];
        drawCell(sheet, entry, pictures.at(entry.name), spots[i].x, spots[i].y);
    }
    return PngWriter::save(sheet, path, false);
}

} // namespace assetgen
