// Sprites from Targa files: reading, refusing, texture sizes, counters and culling.
#include <memory>

#include "render/draw.h"
#include "render/graphics.h"
#include "render/sprite.h"
#include "render/tga.h"
#include "render_support.h"

using namespace render_test;

namespace {

const Rgb8 kRed{255, 0, 0}, kNone{0, 0, 0};

constexpr uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// Sprites go into empty asset tables, which own and free them.
class SpriteTest : public GlTest {
  protected:
    ScratchDir dir;
    std::unique_ptr<Graphics> uploading, headless;

    void SetUp() override {
        GlTest::SetUp();
        ScopedChdir in(dir.path()); // no data folder: every slot stays free
        uploading = std::make_unique<Graphics>(true);
        headless = std::make_unique<Graphics>(false);
    }
    const Sprite& load(const std::vector<uint8_t>& bytes, bool makeTint = false,
                       bool upload = true) {
        writeFile(dir.path() / "s.tga", bytes);
        return *(upload ? uploading : headless)->loadSprite(dir.file("s.tga").c_str(), makeTint);
    }
};

} // namespace

TEST_F(SpriteTest, KeyColourRowOrderAndShortFiles) {
    const std::vector<Bgra> px = {{48, 0, 48, 200}, {49, 0, 48, 7}, {30, 20, 10, 9}};
    std::vector<uint8_t> cut = tgaFile(2, 2, 24, std::vector<Bgra>(4, {9, 9, 9}));
    cut.erase(cut.end() - 4, cut.end()); // the top row's last pixel and a byte of the one before
    const struct {
        std::vector<uint8_t> file;
        std::vector<uint32_t> pixels; // top row first
    } cases[] = {
        {tgaFile(3, 1, 24, px), {argb(0, 48, 0, 48), argb(255, 48, 0, 49), argb(255, 10, 20, 30)}},
        {tgaFile(3, 1, 32, px), {argb(200, 48, 0, 48), argb(7, 48, 0, 49), argb(9, 10, 20, 30)}},
        {tgaFile(1, 2, 24, {{1}, {2}}, 5), {argb(255, 0, 0, 1), argb(255, 0, 0, 2)}},
        {cut, {0, 0, argb(255, 9, 9, 9), argb(255, 9, 9, 9)}}};
    for (const auto& c : cases) {
        const Sprite& s = load(c.file, false, false);
        const size_t count = static_cast<size_t>(s.width) * s.height;
        EXPECT_EQ(std::vector<uint32_t>(s.pixels, s.pixels + (s.pixels ? count : 0)), c.pixels);
    }
}

TEST_F(SpriteTest, SizesPaddingAndByteCounters) {
    const struct {
        int w, h;
        bool tint, upload;
        int texW, texH, textureBytes;
    } cases[] = {{20, 9, true, true, 32, 16, 2 * 32 * 16 * 4},
                 {16, 16, false, true, 16, 16, 16 * 16 * 4},
                 {20, 9, true, false, 32, 16, 0},
                 {4096, 1, false, false, 4096, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " upload " << c.upload);
        const int64_t system = systemBytes, texture = textureBytes;
        const Sprite& s = load(solidTga(c.w, c.h, {1, 2, 3}), c.tint, c.upload);
        EXPECT_TRUE(s.texWidth == c.texW && s.texHeight == c.texH);
        EXPECT_EQ(systemBytes - system, c.w * c.h * 4);
        EXPECT_EQ(textureBytes - texture, c.textureBytes);
        EXPECT_EQ(s.texture != nullptr, c.upload);
        EXPECT_EQ(s.tintTexture != nullptr, c.upload && c.tint);
    }
}

TEST_F(SpriteTest, BadHeadersAreRefusedLikeAMissingFile) {
    // Empty, cut short, no width or height, too large, far more pixels than the file holds,
    // and an ID field running past the end.
    const std::vector<uint8_t> bad[] = {{},
                                        std::vector<uint8_t>(17, 0),
                                        tgaFile(0, 4, 24),
                                        tgaFile(4, 0, 24),
                                        tgaFile(4097, 1, 24),
                                        tgaFile(1, 4097, 32),
                                        tgaFile(65535, 65535, 32),
                                        tgaFile(4096, 4096, 24),
                                        tgaFile(2, 2, 24, {}, 200)};
    const int64_t system = systemBytes, texture = textureBytes;
    for (size_t i = 0; i < std::size(bad); ++i) {
        writeFile(dir.path() / "bad.tga", bad[i]);
        Sprite s;
        EXPECT_FALSE(readTga(s, dir.file("bad.tga").c_str(), true, true)) << "file " << i;
        EXPECT_TRUE(s.pixels == nullptr && s.width == 0 && s.height == 0) << "file " << i;
    }
    Sprite missing;
    EXPECT_FALSE(readTga(missing, dir.file("none.tga").c_str(), false, false));
    EXPECT_TRUE(systemBytes == system && textureBytes == texture);
}

TEST_F(SpriteTest, CullEdgesUseTheUnscaledSize) {
    const Sprite& s = load(solidTga(16, 16, {0, 0, 255}));
    const struct {
        int x, y;
        bool sent;
    } cases[] = {{319, 0, true}, {320, 0, false}, {-16, 0, true}, {-17, 0, false},
                 {0, 239, true}, {0, 240, false}, {0, -16, true}, {0, -17, false}};
    for (const auto& c : cases) {
        glBindTexture(GL_TEXTURE_2D, 0); // every draw binds its texture first
        drawSprite(&s, c.x, c.y);
        EXPECT_EQ(boundTexture() != 0, c.sent) << c.x << ", " << c.y;
    }
    expectPixels({{319, 0, kRed}, {0, 0, kNone}});
}
