#pragma once

#include <FL/gl.h>

#include <cstdio>

class SceneObject;

// Walks `hits` selection records (count of names, min depth, max depth, names) in buffer order and
// returns the first named registry object that is selectable, printing "hit %d name %d" to `trace`
// for each name examined up to it. Depths are ignored: the lowest registry index wins. Records
// that would run past `size` entries are not read.
SceneObject* firstSelectable(const GLuint* buffer, int size, int hits, std::FILE* trace);
