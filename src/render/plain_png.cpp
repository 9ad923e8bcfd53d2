// The PNG chunks, their CRCs, and a zlib stream of stored deflate blocks.
#include "render/plain_png.h"

#include <algorithm>
#include <array>

namespace {

uint32_t crc32(const std::string& bytes, size_t from) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i)
        c = table[(c ^ static_cast<uint8_t>(bytes[i])) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void putBig(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFFu);
}

void putChunk(std::string& out, const char* type, const std::string& data) {
    putBig(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out += type;
    out += data;
    putBig(out, crc32(out, start));
}

// Each row starts with filter 0; the whole is cut into stored blocks of at most 65535 bytes.
std::string zlibStored(const std::string& raw) {
    std::string z = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (char c : raw) {
        a = (a + static_cast<uint8_t>(c)) % 65521u;
        b = (b + a) % 65521u;
    }
    for (size_t at = 0; at < raw.size() || at == 0;) {
        const size_t size = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + size >= raw.size();
        z += static_cast<char>(last ? 1 : 0);
        z += static_cast<char>(size & 0xFFu);
        z += static_cast<char>(size >> 8);
        z += static_cast<char>(~size & 0xFFu);
        z += static_cast<char>((~size >> 8) & 0xFFu);
        z.append(raw, at, size);
        at += size;
        if (last) break;
    }
    putBig(z, (b << 16) | a);
    return z;
}

} // namespace

std::string encodePlainPng(const std::vector<uint8_t>& rgb, int width, int height) {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    putBig(header, static_cast<uint32_t>(width));
    putBig(header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB, no interlace
    putChunk(png, "IHDR", header);
    std::string raw;
    const size_t stride = static_cast<size_t>(width) * 3;
    raw.reserve((stride + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(rgb.data()) + stride * static_cast<size_t>(y),
                   stride);
    }
    putChunk(png, "IDAT", zlibStored(raw));
    putChunk(png, "IEND", "");
    return png;
}
