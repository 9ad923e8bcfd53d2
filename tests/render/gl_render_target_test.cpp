// The logical screen drawn off screen and shown scaled is the picture drawn straight into the
// window, pixel for pixel, in every game state a scripted game reaches.
#define GL_GLEXT_PROTOTYPES 1
#include "render/gl_render_target.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include "game/game_env.h"
#include "game/setup.h"
#include "render/draw.h"
#include "render_support.h"
#include "support/scripted_player.h"

using namespace render_test;

namespace {

class GlRenderTargetTest : public GlTest {
  protected:
    void TearDown() override {
        target.destroy();
        cleanupGame();
        loadPictureProjection(640, 480);
    }
    // The picture of the current game straight into the window's 640 x 480 back buffer.
    std::vector<uint8_t> drawnStraight() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        loadPictureProjection(640, 480);
        drawPicture();
        std::vector<uint8_t> rgb;
        EXPECT_TRUE(readClassicFromWindow(480, rgb));
        return rgb;
    }
    // The same picture through the 320 x 240 target, read back at the classic size.
    std::vector<uint8_t> drawnThroughTarget() {
        target.beginPicture();
        loadPictureProjection(320, 240);
        drawPicture();
        std::vector<uint8_t> rgb;
        EXPECT_TRUE(target.readClassic(rgb));
        return rgb;
    }
    static void drawPicture() {
        beginFrame();
        gameEnv->drawScene();
        glDisable(GL_BLEND);
        glFinish();
    }
    GlRenderTarget target;
};

TEST_F(GlRenderTargetTest, PictureIsTheClassicPictureInEveryStateOfSeveralGames) {
    ASSERT_TRUE(target.create()) << "Mesa offers framebuffer objects";
    for (uint32_t seed : {1u, 7u, 20240601u}) {
        ScriptedPlayer player;
        setupGame({.seed = seed,
                   .inputSource = &player,
                   .dataFolder = ORVANE_SOURCE_DIR "/data",
                   .highScorePath = ""});
        // Play, ship and chain, enemies and explosions, walls, and the game-over pattern.
        for (int frame = 1; frame <= 2400; ++frame) {
            ASSERT_TRUE(gameEnv->runFrame());
            if (frame % 300 != 0) continue;
            SCOPED_TRACE("seed " + std::to_string(seed) + ", frame " + std::to_string(frame));
            const std::vector<uint8_t> straight = drawnStraight();
            const std::vector<uint8_t> through = drawnThroughTarget();
            ASSERT_EQ(straight.size(), 640u * 480u * 3u);
            EXPECT_TRUE(straight == through);
        }
        cleanupGame();
    }
}

} // namespace
