#pragma once

#include <vector>

// Anything drawn in the scene apart from the floor. Constructing one appends it to sceneRegistry,
// and its index there is its GL selection name for picking.
class SceneObject {
public:
    SceneObject(double x, double y, double z);
    virtual ~SceneObject();

    // Draws in the current modelview matrix. While shadowPass is nonzero the object sets no colour
    // of its own, so that it comes out in the colour the shadow pass has set.
    virtual void draw(int shadowPass) = 0;
    // Nonzero if picking may grab the object.
    virtual int isSelectable();

    // A copy would not be registered, so there are none.
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    double x;
    double y;  // up; the floor is the plane y = 0
    double z;
};

// Every SceneObject ever constructed, in construction order. Entries are only appended; the
// registry owns none of them, and destroying an object does not unregister it.
extern std::vector<SceneObject*> sceneRegistry;
