#include "Feedback.h"
#include "Floor.h"
#include "GlTest.h"

#include <FL/gl.h>

using Floor = GlTest;

TEST_F(Floor, HundredTilesCornersInOrderAndCheckered) {
    const auto quads = quadsOf(captureFeedback([] { drawFloor(); }));
    ASSERT_EQ(quads.size(), 100u);
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) {
            const auto& quad = quads[i * 10 + j];
            const double x0 = -8 + 1.6 * i, x1 = x0 + 1.6;
            const double z0 = -8 + 1.6 * j, z1 = z0 + 1.6;
            const double corners[4][2] = {{x0, z0}, {x0, z1}, {x1, z1}, {x1, z0}};
            for (int k = 0; k < 4; ++k) {
                const auto w = worldFromWindow(quad[k].x, quad[k].y, quad[k].z);
                EXPECT_NEAR(w[0], corners[k][0], 1e-3) << i << "," << j << " corner " << k;
                EXPECT_NEAR(w[1], 0, 1e-3);
                EXPECT_NEAR(w[2], corners[k][1], 1e-3) << i << "," << j << " corner " << k;
                const bool odd = (i + j) % 2 == 1;
                EXPECT_NEAR(quad[k].r, odd ? 0.7 : 0.3, 1e-6);
                EXPECT_NEAR(quad[k].g, odd ? 0.7 : 0.3, 1e-6);
                EXPECT_NEAR(quad[k].b, 0.7, 1e-6);
            }
        }
    }
    // The corner tile at (-8, -8) is greyish blue.
    EXPECT_NEAR(quads[0][0].r, 0.3, 1e-6);
    EXPECT_NEAR(quads[1][0].r, 0.7, 1e-6);
}

TEST_F(Floor, DrawnUnlitWithTheDepthTestOn) {
    glEnable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    drawFloor();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}
