#include "WindowIcon.h"

#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>

#include <memory>
#include <vector>

void setWindowIdentity(Fl_Window& window) {
    window.xclass(windowClass);
    // The window keeps copies of the images it is given.
    std::vector<std::unique_ptr<Fl_RGB_Image>> images;
    std::vector<const Fl_RGB_Image*> list;
    for (int k = 0; k < windowIconCount; ++k) {
        const IconPixels& icon = windowIconPixels[k];
        images.push_back(std::make_unique<Fl_RGB_Image>(icon.rgba, icon.size, icon.size, 4));
        list.push_back(images.back().get());
    }
    window.icons(list.data(), static_cast<int>(list.size()));
}
