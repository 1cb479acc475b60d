#include "Picking.h"

#include "Handles.h"
#include "SceneObject.h"
#include "SceneView.h"

#include <FL/Fl.H>
#include <GL/glu.h>

#include <vector>

namespace {

// Room for 25 one-name records; grown, and kept, when a pick overflows it.
std::vector<GLuint> selectBuffer(100);

// One selection pass over the registry; returns GL's hit count, -1 on overflow.
int selectPass(SceneView& view) {
    glSelectBuffer(static_cast<GLsizei>(selectBuffer.size()), selectBuffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    view.drawObjects(0);
    return glRenderMode(GL_RENDER);
}

}  // namespace

SceneObject* firstSelectable(const GLuint* buffer, int size, int hits, std::FILE* trace) {
    int at = 0;
    for (int record = 0; record < hits; ++record) {
        if (at + 3 > size)
            return nullptr;
        const int names = static_cast<int>(buffer[at]);
        at += 3;  // name count, min depth, max depth
        for (int k = 0; k < names && at < size; ++k, ++at) {
            const GLuint name = buffer[at];
            std::fprintf(trace, "hit %d name %d\n", record, static_cast<int>(name));
            if (name < sceneRegistry.size() && sceneRegistry[name]->isSelectable())
                return sceneRegistry[name];
        }
    }
    return nullptr;
}

SceneObject* SceneView::pickObject() {
    // The pointer and the 5 x 5 region in the view's pixels: the toolkit gives the pointer in
    // units, and the region is as large under the hand at every screen scale.
    const double scale = pixels_per_unit();
    const double mx = Fl::event_x() * scale;
    const double my = Fl::event_y() * scale;
    make_current();

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    // GL's y grows upwards; the pick region is centred on height - my.
    gluPickMatrix(mx, viewport[3] - my, 5 * scale, 5 * scale, viewport);
    setProjection();

    // A crowded spot (many added points close together) can overflow the buffer: pick again
    // with twice the room until the records fit, rather than select nothing.
    // The matrices stay as set: every object restores what it changes.
    int hits = selectPass(*this);
    while (hits < 0) {
        selectBuffer.resize(selectBuffer.size() * 2);
        hits = selectPass(*this);
    }

    std::printf("Hit %d objects\n!", hits);
    SceneObject* picked = nullptr;
    if (hits > 0)
        picked = firstSelectable(selectBuffer.data(), static_cast<int>(selectBuffer.size()), hits,
                                 stdout);
    std::fflush(stdout);
    return picked;
}
