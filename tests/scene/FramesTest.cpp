#include "Camera.h"
#include "Frames.h"
#include "GlTest.h"

#include <FL/gl.h>

#include <cmath>

namespace {

using Matrix = std::array<double, 16>;

class Frames : public GlTest {
protected:
    // The matrix a frame operation leaves after an identity.
    template <typename Mult>
    Matrix readBack(Mult mult, double dx, double dy, double dz) {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        mult(dx, dy, dz);
        return currentMatrix(GL_MODELVIEW_MATRIX);
    }
    Matrix train(double dx, double dy, double dz) { return readBack(multTrainFrame, dx, dy, dz); }
    Matrix ride(double dx, double dy, double dz) { return readBack(multRideFrame, dx, dy, dz); }
};

Matrix transpose(const Matrix& m) {
    Matrix t;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            t[c * 4 + r] = m[r * 4 + c];
    return t;
}

const Matrix identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

TEST(CrossProduct, RightHanded) {
    double x, y, z;
    crossProduct(1, 0, 0, 0, 1, 0, &x, &y, &z);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(z, 1);
    crossProduct(0, 1, 0, 1, 0, 0, &x, &y, &z);
    EXPECT_EQ(z, -1);
    crossProduct(2, 3, 4, 5, 6, 7, &x, &y, &z);
    EXPECT_EQ(x, 3 * 7 - 4 * 6);
    EXPECT_EQ(y, 4 * 5 - 2 * 7);
    EXPECT_EQ(z, 2 * 6 - 3 * 5);
}

TEST_F(Frames, PlusXTangent) {
    const Matrix expected = {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 1};
    expectMatrixNear(expected.data(), train(3, 0, 0).data(), 1e-7);
    expectMatrixNear(transpose(expected).data(), ride(3, 0, 0).data(), 1e-7);
}

TEST_F(Frames, SlopedTangent) {
    const Matrix expected = {-0.80812, 0, 0.30305, 0,
                             -0.15306, 0.74490, -0.40816, 0,
                             -0.30305, -0.50508, -0.80812, 0,
                             0, 0, 0, 1};
    const Matrix m = train(0.3, 0.5, 0.8);
    expectMatrixNear(expected.data(), m.data(), 1e-5);
    // u and v are not normalised: both have the horizontal length of f.
    const double h = 0.86307;
    EXPECT_NEAR(std::hypot(m[0], m[1], m[2]), h, 1e-5);
    EXPECT_NEAR(std::hypot(m[4], m[5], m[6]), h, 1e-5);
    EXPECT_NEAR(std::hypot(m[8], m[9], m[10]), 1, 1e-6);
    // Mutually orthogonal.
    EXPECT_NEAR(m[0] * m[4] + m[1] * m[5] + m[2] * m[6], 0, 1e-6);
    EXPECT_NEAR(m[0] * m[8] + m[1] * m[9] + m[2] * m[10], 0, 1e-6);
    EXPECT_NEAR(m[4] * m[8] + m[5] * m[9] + m[6] * m[10], 0, 1e-6);
    // The ride frame is its transpose, and on a slope not its inverse.
    const Matrix r = ride(0.3, 0.5, 0.8);
    expectMatrixNear(transpose(m).data(), r.data(), 1e-6);
    EXPECT_GT(std::fabs(multiply(r, m)[0] - 1), 0.1);
}

TEST_F(Frames, LevelRideFrameIsTheInverseOfTheTrainFrame) {
    const Matrix m = train(1, 0, -2);
    const Matrix r = ride(1, 0, -2);
    expectMatrixNear(identity.data(), multiply(r, m).data(), 1e-6);
    expectMatrixNear(identity.data(), multiply(m, r).data(), 1e-6);
}

TEST_F(Frames, ZeroAndNaNDirectionsFallBack) {
    const Matrix rideFallback = {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1};
    for (double bad : {0.0, std::nan("")}) {
        const double d = bad;
        expectMatrixNear(identity.data(), train(d, d, d).data(), 0);
        expectMatrixNear(rideFallback.data(), ride(d, d, d).data(), 0);
    }
    expectMatrixNear(identity.data(), train(std::nan(""), 1, 0).data(), 0);
}

TEST_F(Frames, VerticalTangentCollapsesUAndV) {
    const Matrix m = train(0, 2, 0);
    const Matrix expected = {0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0, 0, 0, 0, 0, 1};
    expectMatrixNear(expected.data(), m.data(), 0);
}

TEST_F(Frames, OneMultiplyOntoTheCurrentMatrix) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(1, 2, 3);
    multTrainFrame(3, 0, 0);
    const Matrix translation = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
    const Matrix frame = {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 1};
    expectMatrixNear(multiply(translation, frame).data(), currentMatrix(GL_MODELVIEW_MATRIX).data(),
                     1e-6);
}
