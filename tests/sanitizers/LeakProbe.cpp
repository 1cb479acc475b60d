// Leaks on purpose, after using GL the way the suite does, to show that the sanitized build's
// leak suppressions hide what Mesa keeps and nothing of ours: run by expect-leak.cmake, it must
// end with the sanitizer's status and a report of exactly this one leak, naming leakOnPurpose.

#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>
#include <FL/gl.h>

#include <cstdio>

namespace {

class BlankGlWindow : public Fl_Gl_Window {
public:
    BlankGlWindow() : Fl_Gl_Window(0, 0, 100, 100) {}
    void draw() override {}
};

// The allocation LeakSanitizer must report; noinline keeps this frame in the report.
__attribute__((noinline)) void leakOnPurpose() {
    static char* volatile lost;
    lost = new char[4242];
    lost[0] = 1;
    lost = nullptr;
}

// Feedback and selection passes: where Mesa allocates what it keeps for the life of the process.
void useGl() {
    GLfloat feedback[64];
    glFeedbackBuffer(64, GL_3D_COLOR, feedback);
    glRenderMode(GL_FEEDBACK);
    glBegin(GL_POINTS);
    glVertex3f(0, 0, 0);
    glEnd();
    glRenderMode(GL_RENDER);
    GLuint hits[16];
    glSelectBuffer(16, hits);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(1);
    glBegin(GL_POINTS);
    glVertex3f(0, 0, 0);
    glEnd();
    glRenderMode(GL_RENDER);
}

}  // namespace

int main() {
    auto* window = new BlankGlWindow;
    window->show();
    for (int k = 0; k < 100 && !window->shown(); ++k)
        Fl::check();
    if (!window->shown())
        return 2;
    window->make_current();
    useGl();
    delete window;
    leakOnPurpose();
    std::puts("leaked 4242 bytes on purpose");
    return 0;
}
