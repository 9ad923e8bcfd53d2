// Reading uncompressed true-colour Targa images into sprites, padded to power-of-two textures.
#include "render/tga.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "base/regular_file.h"

#include "base/geometry.h"
#include "render/sprite.h"
#include "render/texture.h"

int64_t systemBytes = 0;
int64_t textureBytes = 0;

namespace {

constexpr int kHeaderSize = 18;
// Larger pictures are not ours: a damaged header must not make us allocate gigabytes.
constexpr int kMaxSide = 4096;
// The largest file a 4096 x 4096 picture with alpha and a full ID field can need.
constexpr size_t kMaxFileBytes = 18 + 255 + size_t{4096} * 4096 * 4;
// A file may end early by this many rows (a damaged tail shows transparent black); a header that
// announces more pixels than that is not a picture of this file.
constexpr long kMissingRowsAllowed = 2;
// Every picture is uploaded with nearest filtering and clamped edges (the linear flag is
// overruled by the nearest one).
constexpr int32_t kUploadFlags = kTextureNearest | kTextureClamp | kTextureLinear;

struct TgaHeader {
    int idLength = 0;
    int32_t width = 0;
    int32_t height = 0;
    int bytesPerPixel = 3;
};

int readU16(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}

// A whole file in memory; the pixel loop then never touches the disk. Only regular files are
// read, so a FIFO or a device in a picture's place never stalls the start.
struct FileBytes {
    std::string bytes;
    const uint8_t* data() const { return reinterpret_cast<const uint8_t*>(bytes.data()); }
    long size() const { return static_cast<long>(bytes.size()); }
};

// The header is taken field by field; colour-map and origin fields are not used. A header
// is refused when its sizes are empty or absurd, or when the file lacks more than the last
// rows of the pixels it announces.
bool parseHeader(const FileBytes& file, TgaHeader& h) {
    if (file.size() < kHeaderSize) return false;
    const uint8_t* b = file.data();
    h.idLength = b[0];
    h.width = readU16(b + 12);
    h.height = readU16(b + 14);
    h.bytesPerPixel = b[16] / 8 == 4 ? 4 : 3;
    if (h.width <= 0 || h.height <= 0 || h.width > kMaxSide || h.height > kMaxSide) return false;
    const long rowBytes = static_cast<long>(h.width) * h.bytesPerPixel;
    const long rowsPresent = std::max(h.height - kMissingRowsAllowed, 1L);
    return file.size() >= kHeaderSize + h.idLength + rowsPresent * rowBytes;
}

uint32_t makePixel(const uint8_t* p, int bytesPerPixel) {
    uint32_t blue = p[0], green = p[1], red = p[2];
    uint32_t alpha = 255;
    if (bytesPerPixel == 4) {
        alpha = p[3];
    } else if (red == 0x30 && green == 0 && blue == 0x30) {
        alpha = 0; // the key colour is see-through
    }
    return blue | (green << 8) | (red << 16) | (alpha << 24);
}

// The first row in the file is the bottom row of the picture. Pixels past the end of a
// short file stay transparent black.
void decodePixels(const FileBytes& file, const TgaHeader& h, uint32_t* pixels) {
    const long start = kHeaderSize + h.idLength;
    const uint8_t* src = file.data() + start;
    const long available = file.size() - start;
    long offset = 0;
    for (int32_t row = 0; row < h.height; ++row) {
        uint32_t* dst = pixels + static_cast<size_t>(h.height - 1 - row) * h.width;
        for (int32_t col = 0; col < h.width; ++col, offset += h.bytesPerPixel) {
            if (offset + h.bytesPerPixel > available) return;
            dst[col] = makePixel(src + offset, h.bytesPerPixel);
        }
    }
}

void toTexel(uint32_t pixel, uint8_t* texel) {
    texel[0] = static_cast<uint8_t>(pixel >> 16);
    texel[1] = static_cast<uint8_t>(pixel >> 8);
    texel[2] = static_cast<uint8_t>(pixel);
    texel[3] = static_cast<uint8_t>(pixel >> 24);
}

// The pale grey variant that the tint colour later colours: dark becomes light.
void toTintTexel(const uint8_t* texel, uint8_t* tint) {
    int v = 300 - (texel[0] + texel[1] + texel[2]) / 4;
    if (v > 255) v = 255;
    tint[0] = tint[1] = tint[2] = static_cast<uint8_t>(v);
    tint[3] = texel[3];
}

// Padded R,G,B,A block of texWidth x texHeight; texels outside the picture are zero.
void buildBlocks(const Sprite& s, uint8_t* block, uint8_t* tint) {
    for (int32_t y = 0; y < s.texHeight; ++y) {
        for (int32_t x = 0; x < s.texWidth; ++x) {
            size_t i = (static_cast<size_t>(y) * s.texWidth + x) * 4;
            uint32_t pixel = 0;
            if (x < s.width && y < s.height) pixel = s.pixels[static_cast<size_t>(y) * s.width + x];
            toTexel(pixel, block + i);
            if (tint) toTintTexel(block + i, tint + i);
        }
    }
}

Texture* uploadBlock(const Sprite& s, const uint8_t* block) {
    Texture* texture = new Texture();
    texture->upload(block, s.texWidth, s.texHeight, kUploadFlags);
    textureBytes += int64_t{s.texWidth} * s.texHeight * 4;
    return texture;
}

void uploadTextures(Sprite& s, bool makeTint) {
    const size_t bytes = static_cast<size_t>(s.texWidth) * s.texHeight * 4;
    std::vector<uint8_t> block(bytes);
    std::vector<uint8_t> tint(makeTint ? bytes : 0);
    buildBlocks(s, block.data(), makeTint ? tint.data() : nullptr);
    s.texture = uploadBlock(s, block.data());
    s.tintTexture = makeTint ? uploadBlock(s, tint.data()) : nullptr;
}

} // namespace

bool readTga(Sprite& sprite, const char* path, bool makeTint, bool upload) {
    FileBytes file;
    TgaHeader header;
    if (!readRegularFile(path, kMaxFileBytes, file.bytes) || !parseHeader(file, header))
        return false;
    size_t count = static_cast<size_t>(header.width) * header.height;
    auto* pixels = new (std::nothrow) uint32_t[count]();
    if (!pixels) return false;
    decodePixels(file, header, pixels);
    sprite.pixels = pixels;
    sprite.width = header.width;
    sprite.height = header.height;
    sprite.texWidth = nextPow2(header.width);
    sprite.texHeight = nextPow2(header.height);
    sprite.texture = nullptr;
    sprite.tintTexture = nullptr;
    if (upload) uploadTextures(sprite, makeTint);
    systemBytes += int64_t{header.width} * header.height * 4;
    return true;
}
