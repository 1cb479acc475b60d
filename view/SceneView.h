#pragma once

#include <FL/Fl_Gl_Window.H>

class SceneObject;

// The OpenGL view of the scene: the free camera, one frame's drawing, and the mouse interaction
// (left button picks and drags, right button orbits). Keeps the toolkit's default GL mode.
class SceneView : public Fl_Gl_Window {
public:
    SceneView(int x, int y, int w, int h);

    // One frame. Each step sets the GL state it needs; nothing is restored afterwards.
    void draw() override;
    int handle(int event) override;

    // Multiplies the perspective onto the current projection matrix, then loads the camera (the
    // ride camera while "Train View" is on) into the modelview matrix, which stays selected.
    void setProjection();
    // Every registered object in registry order, each under its index as selection name.
    void drawObjects(int shadowPass);
    // The flattened black copy of the scene, when "Shadow Type" asks for one: every object drawn
    // again under a shadow matrix, unlit and black; the depth test is on afterwards.
    void drawShadowPass();

    // The first selectable object under the mouse, in registry order; prints the pick trace.
    SceneObject* pickObject();
    // Moves (x, y, z) to follow the mouse on a horizontal plane, or a vertical one with Ctrl.
    void dragObject(double* x, double* y, double* z);

    double eye[3];
    double center[3];
    double fieldOfView;  // vertical, degrees
};
