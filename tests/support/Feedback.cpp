#include "Feedback.h"

#include <gtest/gtest.h>

namespace {

FeedbackVertex readVertex(const std::vector<GLfloat>& buffer, std::size_t& at) {
    FeedbackVertex v;
    v.x = buffer[at++];
    v.y = buffer[at++];
    v.z = buffer[at++];
    v.r = buffer[at++];
    v.g = buffer[at++];
    v.b = buffer[at++];
    v.a = buffer[at++];
    return v;
}

}  // namespace

std::vector<FeedbackPrimitive> captureFeedback(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 22);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflowed";

    std::vector<FeedbackPrimitive> primitives;
    std::size_t at = 0;
    while (at < static_cast<std::size_t>(used)) {
        FeedbackPrimitive p;
        p.token = buffer[at++];
        int count = 0;
        if (p.token == GL_POLYGON_TOKEN)
            count = static_cast<int>(buffer[at++]);
        else if (p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN)
            count = 2;
        else if (p.token == GL_POINT_TOKEN || p.token == GL_BITMAP_TOKEN ||
                 p.token == GL_DRAW_PIXEL_TOKEN || p.token == GL_COPY_PIXEL_TOKEN)
            count = 1;
        else if (p.token == GL_PASS_THROUGH_TOKEN) {
            ++at;
            continue;
        } else {
            ADD_FAILURE() << "unknown feedback token " << p.token;
            break;
        }
        for (int k = 0; k < count; ++k)
            p.vertices.push_back(readVertex(buffer, at));
        primitives.push_back(p);
    }
    return primitives;
}

std::vector<FeedbackVertex> allVertices(const std::vector<FeedbackPrimitive>& primitives) {
    std::vector<FeedbackVertex> out;
    for (const auto& p : primitives)
        out.insert(out.end(), p.vertices.begin(), p.vertices.end());
    return out;
}

namespace {

bool sameVertex(const FeedbackVertex& a, const FeedbackVertex& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

std::vector<std::array<FeedbackVertex, 4>> quadsOf(const std::vector<FeedbackPrimitive>& primitives) {
    std::vector<std::array<FeedbackVertex, 4>> quads;
    for (std::size_t k = 0; k < primitives.size(); ++k) {
        const auto& p = primitives[k];
        if (p.token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "not a polygon: token " << p.token;
            return quads;
        }
        if (p.vertices.size() == 4) {
            quads.push_back({p.vertices[0], p.vertices[1], p.vertices[2], p.vertices[3]});
            continue;
        }
        if (p.vertices.size() != 3 || k + 1 >= primitives.size() ||
            primitives[k + 1].vertices.size() != 3) {
            ADD_FAILURE() << "polygon " << k << " is neither a quad nor half of one";
            return quads;
        }
        const auto& a = p.vertices;
        const auto& b = primitives[k + 1].vertices;
        if (!sameVertex(a[1], b[0]) || !sameVertex(a[2], b[2])) {
            ADD_FAILURE() << "triangles " << k << " and " << k + 1 << " do not form a quad";
            return quads;
        }
        quads.push_back({a[0], a[1], b[1], a[2]});
        ++k;
    }
    return quads;
}
