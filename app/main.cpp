#include "Editor.h"
#include "SystemDlls.h"

// Arguments are ignored: the window is shown without them. Exits with status 1.
int main(int, char**) {
    if (!bindSystemDlls())
        return 1;
    return runEditor();
}
