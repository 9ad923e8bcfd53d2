// Targa encoding: 18-byte header, no image id, no colour map, rows from the bottom up.
#include "tga_writer.h"

#include <fstream>

namespace assetgen {

namespace {

void put16(std::vector<unsigned char>& out, int value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void putHeader(std::vector<unsigned char>& out, const Image& picture) {
    out.push_back(0);            // no image id
    out.push_back(0);            // no colour map
    out.push_back(2);            // uncompressed true colour
    out.insert(out.end(), 5, 0); // colour map fields: no colour map
    put16(out, 0);               // x origin
    put16(out, 0);               // y origin
    put16(out, picture.width());
    put16(out, picture.height());
    out.push_back(picture.softAlpha() ? 32 : 24);
    // Bit 5 stays clear: the first row in the file is the bottom row.
    out.push_back(picture.softAlpha() ? 8 : 0);
}

} // namespace

std::vector<unsigned char> TgaWriter::encode(const Image& picture) {
    std::vector<unsigned char> out;
    putHeader(out, picture);
    const bool soft = picture.softAlpha();
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) {
            Rgba c = picture.at(x, y);
            if (!soft && c.a == 0) {
                c = Rgba{48, 0, 48, 0};
            } else if (soft && c.a == 0) {
                c = Rgba{0, 0, 0, 0};
            }
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
            if (soft) {
                out.push_back(c.a);
            }
        }
    }
    return out;
}

bool TgaWriter::save(const Image& picture, const std::string& path) {
    const std::vector<unsigned char> bytes = encode(picture);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace assetgen
