// The DLL-planting test's control: imports opengl32 when it starts, as loopline.exe did before
// it delay-loaded it, so that the planted copy beside it is loaded.
#include <windows.h>
#include <GL/gl.h>

#include <cstdio>

int main() {
    std::printf("glGetString at %p\n", reinterpret_cast<void*>(&glGetString));
    return 0;
}
