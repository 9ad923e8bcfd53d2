// Reading Targa files: pixel layout, key colour, padding, tint variant, counters and bad files.
#include "render/tga.h"

#include <cstdlib>
#include <vector>

#include "render/sprite.h"
#include "render/texture.h"
#include "render_support.h"

using namespace render_test;

namespace {

constexpr uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// Reads without uploading; frees what the reader allocated.
struct LoadedSprite {
    Sprite sprite;
    bool ok = false;
    LoadedSprite(const std::string& path, bool makeTint = false) {
        ok = readTga(sprite, path.c_str(), makeTint, false);
    }
    ~LoadedSprite() { std::free(sprite.pixels); }
    uint32_t at(int x, int y) const { return sprite.pixels[y * sprite.width + x]; }
};

class TgaRead : public ::testing::Test {
  protected:
    TempDir dir;
    std::string put(const std::string& name, const std::vector<uint8_t>& bytes) {
        writeFile(dir.path() / name, bytes);
        return dir.file(name);
    }
};

} // namespace

TEST_F(TgaRead, KeyColourIsTransparentOnlyIn24BitFiles) {
    std::vector<Bgra> px = {{48, 0, 48, 255}, {49, 0, 48, 255}, {30, 20, 10, 255}};
    LoadedSprite rgb(put("a.tga", tgaFile(3, 1, 24, px)));
    ASSERT_TRUE(rgb.ok);
    EXPECT_EQ(rgb.at(0, 0), argb(0, 48, 0, 48));
    EXPECT_EQ(rgb.at(1, 0), argb(255, 48, 0, 49));
    EXPECT_EQ(rgb.at(2, 0), argb(255, 10, 20, 30));

    px[0].a = 200;
    px[2].a = 7;
    LoadedSprite rgba(put("b.tga", tgaFile(3, 1, 32, px)));
    ASSERT_TRUE(rgba.ok);
    EXPECT_EQ(rgba.at(0, 0), argb(200, 48, 0, 48));
    EXPECT_EQ(rgba.at(2, 0), argb(7, 10, 20, 30));
}

TEST_F(TgaRead, FirstRowOfTheFileIsTheBottomRowAndIdFieldIsSkipped) {
    std::vector<Bgra> px = {{1, 0, 0, 255}, {2, 0, 0, 255}, {3, 0, 0, 255}, {4, 0, 0, 255}};
    LoadedSprite s(put("rows.tga", tgaFile(2, 2, 24, px, 5)));
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.at(0, 0) & 0xff, 1u);
    EXPECT_EQ(s.at(1, 0) & 0xff, 2u);
    EXPECT_EQ(s.at(0, 1) & 0xff, 3u);
    EXPECT_EQ(s.at(1, 1) & 0xff, 4u);
    // The raw bytes: after header and ID, the first pixel read belongs to the bottom-left.
    std::vector<uint8_t> raw = tgaFile(2, 2, 24, px, 5);
    EXPECT_EQ(raw[18 + 5], 3);
}

TEST_F(TgaRead, SizesRoundUpToPowersOfTwo) {
    LoadedSprite odd(put("odd.tga", solidTga(20, 9, {1, 2, 3, 255})));
    ASSERT_TRUE(odd.ok);
    EXPECT_EQ(odd.sprite.width, 20);
    EXPECT_EQ(odd.sprite.height, 9);
    EXPECT_EQ(odd.sprite.texWidth, 32);
    EXPECT_EQ(odd.sprite.texHeight, 16);
    EXPECT_EQ(odd.sprite.loaded, 0) << "the reader never marks a slot used";

    LoadedSprite square(put("sq.tga", solidTga(16, 16, {1, 2, 3, 255})));
    EXPECT_EQ(square.sprite.texWidth, 16);
    EXPECT_EQ(square.sprite.texHeight, 16);
}

TEST_F(TgaRead, WithoutUploadOnlyTheRetainedPixelsAreCounted) {
    int32_t system = systemBytes, texture = textureBytes;
    LoadedSprite s(put("c.tga", solidTga(20, 9, {1, 2, 3, 255})), true);
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(systemBytes - system, 20 * 9 * 4);
    EXPECT_EQ(textureBytes, texture);
    EXPECT_EQ(s.sprite.texture, nullptr);
    EXPECT_EQ(s.sprite.tintTexture, nullptr);
}

TEST_F(TgaRead, ShortFileLeavesMissingPixelsTransparentBlack) {
    std::vector<Bgra> px(6, Bgra{9, 9, 9, 255});
    std::vector<uint8_t> bytes = tgaFile(2, 3, 24, px);
    bytes.resize(bytes.size() - 4); // the last pixel and a byte of the one before are gone
    LoadedSprite s(put("short.tga", bytes));
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.at(0, 2), argb(255, 9, 9, 9));
    EXPECT_EQ(s.at(1, 1), argb(255, 9, 9, 9));
    EXPECT_EQ(s.at(0, 0), 0u) << "half-present pixel";
    EXPECT_EQ(s.at(1, 0), 0u) << "missing pixel";
}

TEST_F(TgaRead, BadFilesAreRefusedAndLeaveTheSpriteAlone) {
    int32_t system = systemBytes, texture = textureBytes;
    const std::vector<std::vector<uint8_t>> bad = {
        {},                          // empty
        std::vector<uint8_t>(17, 0), // header cut short
        tgaHeader(0, 4, 24),         // no width
        tgaHeader(4, 0, 24),         // no height
        tgaHeader(4097, 1, 24),      // absurd width
        tgaHeader(1, 4097, 32),      // absurd height
        tgaHeader(65535, 65535, 32), // gigabytes
        tgaHeader(4096, 4096, 24),   // announced data far beyond the file
        tgaHeader(2, 2, 24, 200),    // ID field runs past the end
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        Sprite s;
        s.width = 77;
        EXPECT_FALSE(readTga(s, put("bad.tga", bad[i]).c_str(), true, false)) << "file " << i;
        EXPECT_EQ(s.pixels, nullptr);
        EXPECT_EQ(s.width, 77);
    }
    Sprite missing;
    EXPECT_FALSE(readTga(missing, dir.file("nothing.tga").c_str(), false, false));
    EXPECT_EQ(systemBytes, system);
    EXPECT_EQ(textureBytes, texture);
}

TEST_F(TgaRead, LargestAcceptedSideIs4096) {
    LoadedSprite s(put("wide.tga", solidTga(4096, 1, {5, 5, 5, 255})));
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.sprite.texWidth, 4096);
    EXPECT_EQ(s.at(4095, 0), argb(255, 5, 5, 5));
}

// The uploaded blocks as OpenGL holds them.
class TgaUpload : public GlTest {
  protected:
    TempDir dir;
    static std::vector<uint8_t> texels(const Texture* t, int w, int h) {
        std::vector<uint8_t> out(static_cast<size_t>(w) * h * 4);
        glBindTexture(GL_TEXTURE_2D, t->id());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
        return out;
    }
    static void release(Sprite& s) {
        for (Texture* t : {s.texture, s.tintTexture}) {
            if (!t) continue;
            t->release();
            delete t;
        }
        std::free(s.pixels);
    }
};

TEST_F(TgaUpload, PaddedTextureAndTintVariant) {
    std::vector<Bgra> px(20 * 9, Bgra{128, 128, 128, 255});
    px[0] = {0, 0, 255, 255}; // top-left red
    std::string path = dir.file("grey.tga");
    writeFile(path, tgaFile(20, 9, 24, px));
    int32_t system = systemBytes, texture = textureBytes;
    Sprite s;
    ASSERT_TRUE(readTga(s, path.c_str(), true));
    ASSERT_NE(s.texture, nullptr);
    ASSERT_NE(s.tintTexture, nullptr);
    EXPECT_NE(s.texture->id(), 0u);
    EXPECT_EQ(systemBytes - system, 20 * 9 * 4);
    EXPECT_EQ(textureBytes - texture, 2 * 32 * 16 * 4);

    std::vector<uint8_t> plain = texels(s.texture, 32, 16);
    auto at = [](const std::vector<uint8_t>& b, int x, int y, int c) {
        return b[(y * 32 + x) * 4 + c];
    };
    EXPECT_EQ(at(plain, 0, 0, 0), 255) << "row 0 is the top row, bytes in R, G, B, A order";
    EXPECT_EQ(at(plain, 0, 0, 2), 0);
    EXPECT_EQ(at(plain, 19, 8, 0), 128);
    EXPECT_EQ(at(plain, 19, 8, 3), 255);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(at(plain, 20, 0, c), 0) << "beyond column 19";
        EXPECT_EQ(at(plain, 0, 9, c), 0) << "beyond row 8";
        EXPECT_EQ(at(plain, 31, 15, c), 0);
    }
    std::vector<uint8_t> tint = texels(s.tintTexture, 32, 16);
    EXPECT_EQ(at(tint, 5, 5, 0), 204);
    EXPECT_EQ(at(tint, 5, 5, 1), 204);
    EXPECT_EQ(at(tint, 5, 5, 2), 204);
    EXPECT_EQ(at(tint, 5, 5, 3), 255);
    EXPECT_EQ(at(tint, 0, 0, 0), 237) << "300 - 255 / 4";
    EXPECT_EQ(at(tint, 25, 12, 0), 255) << "padding tints to white";
    EXPECT_EQ(at(tint, 25, 12, 3), 0) << "and stays transparent";
    release(s);
}

TEST_F(TgaUpload, TextureIsNearestFilteredAndClamped) {
    std::string path = dir.file("one.tga");
    writeFile(path, solidTga(4, 4, {1, 2, 3, 255}));
    int32_t texture = textureBytes;
    Sprite s;
    ASSERT_TRUE(readTga(s, path.c_str(), false));
    EXPECT_EQ(s.tintTexture, nullptr);
    EXPECT_EQ(textureBytes - texture, 4 * 4 * 4);
    glBindTexture(GL_TEXTURE_2D, s.texture->id());
    GLint minFilter = 0, magFilter = 0, wrapS = 0, wrapT = 0, mode = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(minFilter, GL_NEAREST);
    EXPECT_EQ(magFilter, GL_NEAREST);
    EXPECT_EQ(wrapS, GL_CLAMP);
    EXPECT_EQ(wrapT, GL_CLAMP);
    EXPECT_EQ(mode, GL_MODULATE);
    GLint level2 = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &level2);
    EXPECT_EQ(level2, 1) << "the full mipmap chain is built";
    GLuint name = s.texture->id();
    release(s);
    EXPECT_FALSE(glIsTexture(name));
}
