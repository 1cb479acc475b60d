#include "ControlPoint.h"
#include "Curve.h"
#include "CurveBasis.h"
#include "Handles.h"
#include "Picking.h"
#include "Train.h"
#include "ViewTest.h"

#include <FL/gl.h>
#include <GL/glu.h>

#include <memory>

namespace {

class Picking : public ViewTest {
protected:
    // Puts the mouse where the view's camera shows the world point.
    void mouseAt(double x, double y, double z) {
        const auto at = mouseOf(x, y, z);
        Fl::e_x = at[0];
        Fl::e_y = at[1];
    }
    // Picks, returning the object and the trace printed.
    SceneObject* pick(std::string* trace) {
        testing::internal::CaptureStdout();
        SceneObject* picked = view->pickObject();
        *trace = testing::internal::GetCapturedStdout();
        return picked;
    }
};

}  // namespace

TEST_F(Picking, LowestRegistryIndexWinsWhateverItsDepth) {
    // Both on the line of sight; the earlier one is farther from the camera.
    ControlPoint farther(0, 0, 0);
    ControlPoint nearer(0.5, 0.8, 1.4);  // between the camera at (5, 8, 14) and the origin
    mouseAt(0, 0.25, 0);
    std::string trace;
    EXPECT_EQ(pick(&trace), &farther);
    EXPECT_EQ(trace, "Hit 2 objects\n!hit 0 name 0\n");
}

TEST_F(Picking, CurveIsReportedButNotSelected) {
    ControlPoint a(-3, 0, 0), b(3, 0, 0);
    Curve curve;  // index 2: a linear segment between a and b through the origin
    curve.curveType = CurveLinear;
    curve.append(&a);
    curve.append(&b);
    ControlPoint added(0, -0.25, 0);  // index 3, its cube around the curve line
    mouseAt(0, 0, 0);
    std::string trace;
    EXPECT_EQ(pick(&trace), &added);
    EXPECT_EQ(trace, "Hit 2 objects\n!hit 0 name 2\nhit 1 name 3\n");
}

TEST_F(Picking, TrainAloneSelectsNothing) {
    ControlPoint a(-3, 0, 0), b(3, 0, 0);
    Curve curve;
    curve.append(&a);
    curve.append(&b);
    Train train(&curve);  // index 3, at t = 0 standing on a
    std::string trace;
    // Above a's small cube, where only the train's larger cube is.
    mouseAt(-3, 0.9, 0);
    EXPECT_EQ(pick(&trace), nullptr);
    EXPECT_EQ(trace, "Hit 1 objects\n!hit 0 name 3\n");
}

TEST_F(Picking, EmptyPickPrintsTheCountLineWithZero) {
    ControlPoint a(0, 0, 0);
    mouseAt(0, 20, 0);
    std::string trace;
    EXPECT_EQ(pick(&trace), nullptr);
    EXPECT_EQ(trace, "Hit 0 objects\n!");
}

TEST_F(Picking, CrowdedSpotThatOverflowsTheBufferStillPicks) {
    // Forty points at one place: forty 4-word records, more than the first 100-word buffer holds.
    std::vector<std::unique_ptr<ControlPoint>> points;
    const auto crowdTo = [&](int count) {
        while (static_cast<int>(points.size()) < count)
            points.push_back(std::make_unique<ControlPoint>(0, 0, 0.001 * points.size()));
    };
    crowdTo(40);
    mouseAt(0, 0.25, 0);
    std::string trace;
    EXPECT_EQ(pick(&trace), points[0].get());
    EXPECT_EQ(trace, "Hit 40 objects\n!hit 0 name 0\n");
    // The buffer kept its grown size (200 words). 300 points need 1,200 words: two more
    // doublings (400, 800) still overflow, so this pick must grow it three times.
    crowdTo(300);
    EXPECT_EQ(pick(&trace), points[0].get());
    EXPECT_EQ(trace, "Hit 300 objects\n!hit 0 name 0\n");
}

TEST_F(Picking, LeavesRenderModeAndPickMatrixInPlace) {
    ControlPoint a(0, 0, 0);
    view->make_current();
    glViewport(0, 0, 670, 470);
    Fl::e_x = 200;
    Fl::e_y = 150;
    std::string trace;
    pick(&trace);
    GLint mode = 0;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    EXPECT_EQ(mode, GL_RENDER);
    // The pick region: 5 x 5 pixels centred at (mx, height - my) = (200, 320). gluPickMatrix
    // scales the viewport's 670 x 470 pixels by 670 / 5 and 470 / 5 and moves that centre to the
    // middle: a translation of (670 - 2 * 200) / 5 and (470 - 2 * 320) / 5.
    const Matrix4 pickRegion = {670.0 / 5, 0, 0, 0, 0, 470.0 / 5, 0, 0, 0, 0, 1, 0,
                                (670.0 - 400) / 5, (470.0 - 640) / 5, 0, 1};
    const auto expected = multiply(pickRegion, perspectiveMatrix(50, 670.0 / 470.0));
    expectMatrixNear(expected.data(), currentMatrix(GL_PROJECTION_MATRIX).data(), 1e-4);
    expectMatrixNear(lookAtMatrix(view->eye, view->center).data(),
                     currentMatrix(GL_MODELVIEW_MATRIX).data(), 1e-6);
}

TEST(FirstSelectable, StopsAtTheBufferEnd) {
    ControlPoint a(0, 0, 0);
    Curve curve;
    // Two records claimed, but the second is cut off: the walk stops at the end.
    const GLuint buffer[6] = {1, 0, 0, 1, 1, 0};
    std::FILE* sink = std::tmpfile();
    EXPECT_EQ(firstSelectable(buffer, 6, 2, sink), nullptr);
    const GLuint good[8] = {1, 0, 0, 1, 1, 0, 0, 0};
    EXPECT_EQ(firstSelectable(good, 8, 2, sink), &a);
    // A name beyond the registry is reported and skipped.
    const GLuint stray[8] = {1, 0, 0, 99, 1, 0, 0, 0};
    EXPECT_EQ(firstSelectable(stray, 8, 2, sink), &a);
    std::fclose(sink);
}
