#include "Editor.h"

// Arguments are ignored: the window is shown without them. Exits with status 1.
int main(int, char**) {
    return runEditor();
}
