#include "SceneObject.h"

std::vector<SceneObject*> sceneRegistry;

SceneObject::SceneObject(double x, double y, double z) : x(x), y(y), z(z) {
    sceneRegistry.push_back(this);
}

SceneObject::~SceneObject() = default;

int SceneObject::isSelectable() {
    return 0;
}
