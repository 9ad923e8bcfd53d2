// The drawing primitives on a real OpenGL context: cull edges, tint choice, mirror, boxes, digits.
#include "render/draw.h"

#include "render/graphics.h"
#include "render/sprite.h"
#include "render/texture.h"
#include "render/tga.h"
#include "render_support.h"

using namespace render_test;

namespace {

class Draw : public GlTest {
  protected:
    TempDir dir;
    std::vector<Sprite> owned;

    // A loaded sprite made from a picture, as the sprite loader would leave it.
    Sprite make(const std::vector<uint8_t>& file, bool makeTint) {
        std::string path = dir.file("s" + std::to_string(owned.size()) + ".tga");
        writeFile(path, file);
        Sprite s;
        EXPECT_TRUE(readTga(s, path.c_str(), makeTint));
        s.loaded = 1;
        owned.push_back(s);
        return s;
    }
    void TearDown() override {
        for (Sprite& s : owned) {
            for (Texture* t : {s.texture, s.tintTexture}) {
                if (!t) continue;
                t->release();
                delete t;
            }
            std::free(s.pixels);
        }
    }
    // Whether the sprite went to OpenGL: every draw binds its texture first.
    static bool sent(const Sprite& s, int x, int y) {
        glBindTexture(GL_TEXTURE_2D, 0);
        drawSprite(&s, x, y);
        return boundTexture() == static_cast<GLint>(s.texture->id());
    }
};

const Rgb8 kRed{255, 0, 0};
const Rgb8 kGreen{0, 255, 0};
const Rgb8 kNone{0, 0, 0};

} // namespace

TEST_F(Draw, CullEdgesUseTheUnscaledSize) {
    Sprite s = make(solidTga(16, 16, {0, 0, 255, 255}), false);
    EXPECT_TRUE(sent(s, 319, 0));
    EXPECT_EQ(pixel(319, 0), kRed);
    EXPECT_FALSE(sent(s, 320, 0));
    EXPECT_TRUE(sent(s, -16, 0)) << "-16 + 16 = 0 is not below 0";
    EXPECT_FALSE(sent(s, -17, 0));
    EXPECT_TRUE(sent(s, 0, 239));
    EXPECT_FALSE(sent(s, 0, 240));
    EXPECT_TRUE(sent(s, 0, -16));
    EXPECT_FALSE(sent(s, 0, -17));
    EXPECT_EQ(pixel(0, 0), kNone) << "a sprite at -16 covers nothing";
}

TEST_F(Draw, SpriteLandsAtTwiceItsPositionAndSize) {
    Sprite s = make(solidTga(3, 2, {0, 0, 255, 255}), false);
    drawSprite(&s, 10, 20);
    EXPECT_EQ(pixel(10, 20), kRed);
    EXPECT_EQ(pixel(12, 21), kRed);
    EXPECT_EQ(pixel(13, 21), kNone);
    EXPECT_EQ(pixel(10, 22), kNone);
    EXPECT_EQ(pixel(9, 20), kNone);
}

TEST_F(Draw, KeyColourIsSeeThroughAndAlphaFades) {
    Sprite keyed = make(tgaFile(2, 1, 24, {{48, 0, 48, 255}, {0, 255, 0, 255}}), false);
    drawBox(0, 0, 10, 10, {0, 0, 255});
    drawSprite(&keyed, 0, 0);
    EXPECT_EQ(pixel(0, 0), (Rgb8{0, 0, 255}));
    EXPECT_EQ(pixel(1, 0), kGreen);

    Sprite white = make(solidTga(1, 1, {255, 255, 255, 255}), false);
    drawSprite(&white, 5, 5, 0, 0, 0, 1.0f, 1.0f, 0.0f, 0, {});
    EXPECT_EQ(pixel(5, 5), (Rgb8{0, 0, 255})) << "alpha 0 leaves the box showing";
}

TEST_F(Draw, MirrorSwapsTheTextureNotThePlace) {
    Sprite s = make(tgaFile(2, 1, 24, {{0, 0, 255, 255}, {0, 255, 0, 255}}), false);
    drawSprite(&s, 4, 4);
    drawSprite(&s, 8, 4, 0, 0, 1, 1.0f, 1.0f, 0.0f, 255, {});
    EXPECT_EQ(pixel(4, 4), kRed);
    EXPECT_EQ(pixel(5, 4), kGreen);
    EXPECT_EQ(pixel(8, 4), kGreen);
    EXPECT_EQ(pixel(9, 4), kRed);
    EXPECT_EQ(pixel(10, 4), kNone);
}

TEST_F(Draw, ScaleAndRotationTurnAboutTheHotSpot) {
    Sprite s = make(tgaFile(2, 1, 24, {{0, 0, 255, 255}, {0, 255, 0, 255}}), false);
    // Hot spot at the left pixel's corner (0, 0) placed at (50, 50); turned 90 degrees clockwise
    // the row becomes a column going down, doubled in length by the x scale.
    drawSprite(&s, 50, 50, 0, 0, 0, 2.0f, 1.0f, 90.0f, 255, {});
    EXPECT_EQ(pixel(49, 50), kRed);
    EXPECT_EQ(pixel(49, 51), kRed);
    EXPECT_EQ(pixel(49, 52), kGreen);
    EXPECT_EQ(pixel(49, 53), kGreen);
    EXPECT_EQ(pixel(50, 50), kNone);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 0.0f) << "the modelview is the identity again";
    EXPECT_EQ(m[0], 1.0f);
}

TEST_F(Draw, ColourPicksTheTintTexture) {
    Sprite s = make(solidTga(4, 4, {0, 0, 0, 255}), true);
    glBindTexture(GL_TEXTURE_2D, 0);
    drawSprite(&s, 0, 0, {0.0f, 0.0f, 0.001f});
    EXPECT_EQ(boundTexture(), static_cast<GLint>(s.tintTexture->id()));
    drawSprite(&s, 0, 0, {0.0f, 0.0f, 0.0f});
    EXPECT_EQ(boundTexture(), static_cast<GLint>(s.texture->id()));
    // Black tints to a white variant that the colour paints.
    drawSpriteTinted(&s, 10, 10, 0, {255, 0, 0});
    EXPECT_EQ(pixel(10, 10), kRed);
    drawSpriteTinted(&s, 20, 10, 0, {128, 128, 128});
    EXPECT_EQ(pixel(20, 10), (Rgb8{128, 128, 128}));
}

TEST_F(Draw, MissingPicturesDrawNothing) {
    drawSprite(nullptr, 0, 0);
    Sprite empty;
    drawSprite(&empty, 0, 0);
    drawSpriteTinted(&empty, 0, 0, 0, {255, 0, 0});
    Sprite notLoaded = make(solidTga(4, 4, {0, 0, 255, 255}), false);
    notLoaded.loaded = 0;
    drawSprite(&notLoaded, 0, 0);
    EXPECT_EQ(pixel(0, 0), kNone);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Draw, TintedDrawWithoutTintVariantUsesThePlainTexture) {
    Sprite s = make(solidTga(4, 4, {255, 255, 255, 255}), false);
    drawSpriteTinted(&s, 0, 0, 0, {0, 255, 0});
    EXPECT_EQ(boundTexture(), static_cast<GLint>(s.texture->id()));
    EXPECT_EQ(pixel(1, 1), kGreen);
}

TEST_F(Draw, BoxIsOpaqueAndLeavesTexturingAndBlendingOn) {
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    drawBox(3, 4, 5, 6, {0, 0, 160});
    EXPECT_EQ(pixel(3, 4), (Rgb8{0, 0, 160}));
    EXPECT_EQ(pixel(7, 9), (Rgb8{0, 0, 160}));
    EXPECT_EQ(pixel(8, 9), kNone);
    EXPECT_EQ(pixel(7, 10), kNone);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

class Digits : public Draw {
  protected:
    Graphics* graphics = nullptr;
    void SetUp() override {
        Draw::SetUp();
        // Digit d is a 5 x 5 block whose red is 20 * (d + 1): the colour names the digit.
        TempDir& d = dir;
        for (int i = 0; i < 10; ++i) {
            writeFile(d.path() / "data" / ("n" + std::to_string(i) + ".tga"),
                      solidTga(5, 5, {0, 0, static_cast<uint8_t>(20 * (i + 1)), 255}));
        }
        ScopedChdir in(d.path());
        graphics = new Graphics(true);
    }
    void TearDown() override {
        delete graphics;
        Draw::TearDown();
    }
    static int digitAt(int x, int y) {
        Rgb8 c = pixel(x, y);
        return c.r == 0 ? -1 : c.r / 20 - 1;
    }
};

TEST_F(Digits, TwelveDigitsOverEightyFourPixels) {
    drawNumber(*graphics, 8, 192, "%.12i", 345);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(digitAt(8 + 7 * i, 192), 0) << i;
    EXPECT_EQ(digitAt(8 + 7 * 9, 192), 3);
    EXPECT_EQ(digitAt(8 + 7 * 10, 192), 4);
    EXPECT_EQ(digitAt(8 + 7 * 11 + 4, 196), 5);
    EXPECT_EQ(digitAt(8 + 7 * 11 + 5, 192), -1);
    EXPECT_EQ(digitAt(8 + 5, 192), -1) << "two pixels between digits";
}

TEST_F(Digits, OtherCharactersLeaveAGap) {
    drawNumber(*graphics, 10, 10, "%i", -5);
    EXPECT_EQ(digitAt(10, 10), -1);
    EXPECT_EQ(digitAt(17, 10), 5);
    drawNumber(*graphics, 10, 30, "7 %c8", 'x');
    EXPECT_EQ(digitAt(10, 30), 7);
    EXPECT_EQ(digitAt(24, 30), -1);
    EXPECT_EQ(digitAt(31, 30), 8);
}

TEST_F(Digits, LongTextIsCutAtTheBuffer) {
    std::string longText(600, '1');
    drawNumber(*graphics, 0, 0, "%s", longText.c_str());
    EXPECT_EQ(digitAt(0, 0), 1);
    // 255 characters fit; the last one starts at 7 * 254, far off screen, and nothing broke.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
