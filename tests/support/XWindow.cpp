#include "XWindow.h"

#include "AppProcess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

unsigned long findWindow(const std::string& title) {
    const std::string command =
        "xdotool search --onlyvisible --name " + shellQuote("^" + title + "$") + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return 0;
    unsigned long id = 0;
    if (std::fscanf(pipe, "%lu", &id) != 1)
        id = 0;
    pclose(pipe);
    return id;
}

bool requestClose(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return sent != 0;
}

WindowGeometry windowGeometry(unsigned long window) {
    WindowGeometry g;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return g;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes)) {
        Window child;
        XTranslateCoordinates(display, window, attributes.root, 0, 0, &g.x, &g.y, &child);
        g.width = attributes.width;
        g.height = attributes.height;
    }
    XCloseDisplay(display);
    return g;
}

std::string windowProperty(unsigned long window, const std::string& name,
                           const std::string& format) {
    std::string command = "xprop -notype -id " + std::to_string(window);
    if (!format.empty())
        command += " -f " + shellQuote(name) + " " + shellQuote(format);
    command += " " + shellQuote(name) + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "";
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    pclose(pipe);
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

std::vector<IconImage> windowIcons(unsigned long window) {
    // width, height, then width x height pixels, image after image.
    const std::string text = windowProperty(window, "_NET_WM_ICON", "32c");
    const auto equals = text.find('=');
    std::vector<unsigned long> values;
    if (equals != std::string::npos) {
        std::istringstream in(text.substr(equals + 1));
        for (std::string item; std::getline(in, item, ',');)
            values.push_back(std::stoul(item));
    }
    std::vector<IconImage> images;
    for (std::size_t k = 0; k + 2 <= values.size();) {
        const unsigned long w = values[k], h = values[k + 1];
        if (w != h || k + 2 + w * h > values.size())
            break;
        IconImage image;
        image.size = w;
        image.argb.assign(values.begin() + k + 2, values.begin() + k + 2 + w * h);
        images.push_back(std::move(image));
        k += 2 + w * h;
    }
    return images;
}
