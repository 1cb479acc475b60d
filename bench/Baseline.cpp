#include "Baseline.h"

#include "BenchScene.h"
#include "ControlPoint.h"
#include "Curve.h"
#include "Frames.h"
#include "Handles.h"
#include "SceneView.h"
#include "Shadows.h"
#include "Train.h"

#include <FL/Fl_Value_Slider.H>
#include <FL/gl.h>
#include <GL/glu.h>

namespace {

const double faces[6][5][3] = {
    {{0, 0, 1}, {+1, +1, +1}, {-1, +1, +1}, {-1, -1, +1}, {+1, -1, +1}},
    {{0, 0, -1}, {+1, +1, -1}, {-1, +1, -1}, {-1, -1, -1}, {+1, -1, -1}},
    {{0, 1, 0}, {+1, +1, +1}, {-1, +1, +1}, {-1, +1, -1}, {+1, +1, -1}},
    {{0, -1, 0}, {+1, -1, +1}, {-1, -1, +1}, {-1, -1, -1}, {+1, -1, -1}},
    {{1, 0, 0}, {+1, +1, +1}, {+1, -1, +1}, {+1, -1, -1}, {+1, +1, -1}},
    {{-1, 0, 0}, {-1, +1, +1}, {-1, -1, +1}, {-1, -1, -1}, {-1, +1, -1}},
};

void cube(double h) {
    glBegin(GL_QUADS);
    for (const auto& f : faces) {
        glNormal3d(f[0][0], f[0][1], f[0][2]);
        for (int k = 1; k < 5; ++k)
            glVertex3d(f[k][0] * h, f[k][1] * h, f[k][2] * h);
    }
    glEnd();
}

void items(const GlStream& s, int shadowPass) {
    for (std::size_t i = 0; i < s.items.size(); ++i) {
        const GlStream::Item& item = s.items[i];
        glLoadName(static_cast<GLuint>(i));
        switch (item.kind) {
        case GlStream::Item::Point:
            if (!shadowPass)
                glColor3f(item.colour[0], item.colour[1], item.colour[2]);
            glPushMatrix();
            glTranslated(item.at[0], item.at[1], item.at[2]);
            cube(0.25);
            glPopMatrix();
            break;
        case GlStream::Item::Curve:
            if (!shadowPass)
                glColor3d(0, 0, 0.7);
            glLineWidth(2);
            glBegin(GL_LINE_LOOP);
            for (const auto& v : s.curveVertices)
                glVertex3d(v[0], v[1], v[2]);
            glEnd();
            break;
        case GlStream::Item::Train:
            if (!shadowPass)
                glColor3d(0.7, 1.0, 0.0);
            glPushMatrix();
            glTranslated(item.at[0], item.at[1], item.at[2]);
            glMultMatrixd(item.frame.data());
            glPushMatrix();
            glTranslated(0, 0.5, 0);
            cube(0.5);
            glPopMatrix();
            glPopMatrix();
            break;
        }
    }
}

void camera(const GlStream& s) {
    glMatrixMode(GL_PROJECTION);
    gluPerspective(s.fieldOfView, static_cast<double>(s.width) / s.height, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(s.eye[0], s.eye[1], s.eye[2], s.center[0], s.center[1], s.center[2], 0, 1, 0);
}

}  // namespace

GlStream captureStream(BenchScene& scene) {
    GlStream s;
    SceneView& view = scene.view();
    for (int k = 0; k < 3; ++k) {
        s.eye[k] = view.eye[k];
        s.center[k] = view.center[k];
    }
    s.fieldOfView = view.fieldOfView;
    s.width = view.w();
    s.height = view.h();
    s.light = {lightMarker->x, lightMarker->y, lightMarker->z};
    const double t = timeSlider->value();
    for (SceneObject* object : sceneRegistry) {
        GlStream::Item item{};
        if (auto* p = dynamic_cast<ControlPoint*>(object)) {
            item.kind = GlStream::Item::Point;
            item.at = {p->x, p->y + 0.25, p->z};
            item.colour = p->owner ? std::array<float, 3>{0, 1, 0} : std::array<float, 3>{1, 0, 0};
        } else if (auto* c = dynamic_cast<Curve*>(object)) {
            item.kind = GlStream::Item::Curve;
            double u = 0.0;
            for (std::size_t k = 0; k < 10 * c->points.size(); ++k, u += 0.1) {
                std::array<double, 3> v;
                c->position(u, &v[0], &v[1], &v[2]);
                s.curveVertices.push_back(v);
            }
        } else if (auto* train = dynamic_cast<Train*>(object)) {
            item.kind = GlStream::Item::Train;
            double d[3];
            train->curve->position(t, &item.at[0], &item.at[1], &item.at[2]);
            train->curve->tangent(t, &d[0], &d[1], &d[2]);
            trainFrameMatrix(d[0], d[1], d[2], item.frame.data());
        }
        s.items.push_back(item);
    }
    return s;
}

void replayFrame(const GlStream& s, int shadowLine) {
    glClearColor(0, 0, 0.3f, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glViewport(0, 0, s.width, s.height);
    glLoadIdentity();
    camera(s);
    if (shadowLine > 1) {
        glPushMatrix();
        if (shadowLine == 2)
            glMultMatrixd(dropShadowMatrix);
        else {
            double m[16];
            pointShadowMatrix(s.light[0], s.light[1], s.light[2], m);
            glMultMatrixd(m);
        }
        glDisable(GL_LIGHTING);
        glColor4f(0, 0, 0, 0);
        items(s, 1);
        glPopMatrix();
        glEnable(GL_DEPTH_TEST);
    }
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glBegin(GL_QUADS);
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) {
            if ((i + j) % 2)
                glColor4f(0.7f, 0.7f, 0.7f, 1);
            else
                glColor4f(0.3f, 0.3f, 0.7f, 1);
            const double x0 = -8 + 1.6 * i, x1 = -8 + 1.6 * (i + 1);
            const double z0 = -8 + 1.6 * j, z1 = -8 + 1.6 * (j + 1);
            glVertex3d(x0, 0, z0);
            glVertex3d(x0, 0, z1);
            glVertex3d(x1, 0, z1);
            glVertex3d(x1, 0, z0);
        }
    glEnd();
    glEnable(GL_LIGHTING);
    const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 1};
    const GLfloat position[4] = {static_cast<GLfloat>(s.light[0]),
                                 static_cast<GLfloat>(s.light[1]),
                                 static_cast<GLfloat>(s.light[2]), 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    items(s, 0);
}

int replayPick(const GlStream& s, int mx, int my) {
    static std::vector<GLuint> buffer(100);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluPickMatrix(mx, viewport[3] - my, 5, 5, viewport);
    camera(s);
    for (;;) {
        glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
        glRenderMode(GL_SELECT);
        glInitNames();
        glPushName(0);
        items(s, 0);
        const int hits = glRenderMode(GL_RENDER);
        if (hits >= 0)
            return hits;
        buffer.resize(buffer.size() * 2);
    }
}
