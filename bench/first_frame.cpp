// Starts a program and reports, from outside it, how long it takes from exec to the
// first painted frame of its window titled "Form1", and its peak resident memory
// once it is idle. Usage: first_frame PROGRAM; prints "MILLISECONDS KIBIBYTES".

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

Window findNamed(Display* display, Window window, const char* name) {
    char* windowName = nullptr;
    if (XFetchName(display, window, &windowName) && windowName) {
        const bool match = std::strcmp(windowName, name) == 0;
        XFree(windowName);
        if (match)
            return window;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i)
            found = findNamed(display, children[i], name);
        if (children)
            XFree(children);
    }
    return found;
}

// Painted: the client area shows the window colour, and the menu bar some dark text.
bool painted(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    const unsigned long background = XGetPixel(image, attributes.width / 2, attributes.height - 8);
    bool text = false;
    for (int y = 2; y < 16 && !text; ++y)
        for (int x = 0; x < attributes.width && !text; ++x)
            text = (XGetPixel(image, x, y) & 0xFF) < 0x50;
    XDestroyImage(image);
    return (background & 0xFFFFFF) == 0xEFEFEF && text;
}

long peakResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: first_frame PROGRAM\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "first_frame: no display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(argv[1], argv[1], static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = start + std::chrono::seconds(20);
    Window form1 = 0;
    double milliseconds = -1;
    while (Clock::now() < deadline) {
        if (!form1)
            form1 = findNamed(display, root, "Form1");
        if (form1 && painted(display, form1)) {
            milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    // Let start-up finish, then read the peak of resident memory.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const long kib = peakResidentKiB(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (milliseconds < 0) {
        std::fprintf(stderr, "first_frame: no painted Form1 within 20 s\n");
        return 1;
    }
    std::printf("%.3f %ld\n", milliseconds, kib);
    return 0;
}
