// X side of the benchmark: waits for what a person would see, and plays what
// a person would press, taking CLOCK_MONOTONIC at the moment that matters.
//
//   xwatch mapped TITLE [TIMEOUT_S]
//       Prints "ready" once it listens, then "<ns> <window>" when a top-level
//       window titled TITLE is mapped.
//   xwatch docked [TIMEOUT_S]
//       Prints "ready", then "<ns> <window> <x> <y> <w> <h>" when a window is
//       viewable inside the tray host's "panel" window (root coordinates).
//   xwatch menu ICON_WINDOW [TIMEOUT_S]
//       Right-clicks the middle of ICON_WINDOW, waits for the popup menu to be
//       mapped, types "b", then prints "<ns>" taken right before it sends
//       Return.
//
// The caller reads "ready" before it starts the program under test, so no
// event can be missed; times are taken as the event is read, before any
// further round trip to the server. Exit status 1 on timeout.
//
// Input goes through the XTEST extension, so the server treats it as real
// device input (grabs, focus). Only the runtime library is needed for that
// (xdotool brings it), so it is opened at run time rather than linked against
// headers that a machine may not have.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <dlfcn.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

long long NowNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

Display* dpy = nullptr;
long long deadline = 0;

// Waits until an event is queued or `ms` passed; false once past the deadline.
bool WaitForEvent(int ms) {
    if (NowNs() > deadline) return false;
    if (XPending(dpy)) return true;
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    poll(&p, 1, ms);
    return NowNs() <= deadline;
}

std::string Title(Window w) {
    Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    Atom netName = XInternAtom(dpy, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(dpy, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    if (XFetchName(dpy, w, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

Window Parent(Window w) {
    Window root, parent;
    Window* children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy, w, &root, &parent, &children, &n)) return None;
    if (children) XFree(children);
    return parent;
}

bool IsInside(Window w, Window ancestor) {
    for (Window p = Parent(w); p != None; p = Parent(p))
        if (p == ancestor) return true;
    return false;
}

Window FindTopLevel(const char* title) {
    Window root, parent;
    Window* children = nullptr;
    unsigned n = 0;
    Window found = None;
    XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &n);
    for (unsigned i = 0; i < n && found == None; ++i)
        if (Title(children[i]) == title) found = children[i];
    if (children) XFree(children);
    return found;
}

bool CanBeSeen(Window w) {
    XWindowAttributes a;
    return XGetWindowAttributes(dpy, w, &a) && a.map_state == IsViewable;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; } // windows may vanish while we look

int Mapped(const char* title) {
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);
    std::puts("ready");
    std::fflush(stdout);
    // Mapped windows whose title we have not seen yet: the title may follow the map.
    std::set<Window> untitled;
    while (WaitForEvent(100)) {
        while (XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
            const long long t = NowNs();
            Window w = None;
            if (e.type == MapNotify && e.xmap.event == root && !e.xmap.override_redirect) {
                w = e.xmap.window;
                XSelectInput(dpy, w, PropertyChangeMask | StructureNotifyMask);
            } else if (e.type == PropertyNotify && untitled.count(e.xproperty.window)) {
                w = e.xproperty.window;
            } else if (e.type == UnmapNotify || e.type == DestroyNotify) {
                untitled.erase(e.type == UnmapNotify ? e.xunmap.window : e.xdestroywindow.window);
            }
            if (w == None) continue;
            if (Title(w) == title) {
                std::printf("%lld 0x%lx\n", t, w);
                return 0;
            }
            untitled.insert(w);
        }
    }
    return 1;
}

int Docked() {
    Window root = DefaultRootWindow(dpy);
    Window panel = None;
    while (panel == None) {
        panel = FindTopLevel("panel");
        if (panel == None) {
            if (NowNs() > deadline) return 1;
            usleep(10000);
        }
    }
    // An icon docks by being reparented from the root into the tray host; it
    // counts once it can be seen there.
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);
    std::puts("ready");
    std::fflush(stdout);
    Window icon = None;
    while (WaitForEvent(1)) {
        while (XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
            if (icon == None && e.type == ReparentNotify && IsInside(e.xreparent.window, panel))
                icon = e.xreparent.window;
        }
        const long long t = NowNs();
        if (icon != None && CanBeSeen(icon)) {
            int x = 0, y = 0;
            Window child;
            XTranslateCoordinates(dpy, icon, root, 0, 0, &x, &y, &child);
            XWindowAttributes a;
            XGetWindowAttributes(dpy, icon, &a);
            std::printf("%lld 0x%lx %d %d %d %d\n", t, icon, x, y, a.width, a.height);
            return 0;
        }
    }
    return 1;
}

using FakeKey = int (*)(Display*, unsigned, int, unsigned long);
using FakeButton = int (*)(Display*, unsigned, int, unsigned long);
using FakeMotion = int (*)(Display*, int, int, int, unsigned long);

int Menu(Window icon) {
    void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
    if (!xtst) {
        std::fprintf(stderr, "xwatch: libXtst.so.6 not found (install libxtst6)\n");
        return 2;
    }
    auto key = reinterpret_cast<FakeKey>(dlsym(xtst, "XTestFakeKeyEvent"));
    auto button = reinterpret_cast<FakeButton>(dlsym(xtst, "XTestFakeButtonEvent"));
    auto motion = reinterpret_cast<FakeMotion>(dlsym(xtst, "XTestFakeMotionEvent"));
    if (!key || !button || !motion) return 2;

    Window root = DefaultRootWindow(dpy);
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, icon, &a)) return 1;
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(dpy, icon, root, a.width / 2, a.height / 2, &x, &y, &child);

    XSelectInput(dpy, root, SubstructureNotifyMask);
    motion(dpy, -1, x, y, CurrentTime);
    button(dpy, 3, True, CurrentTime);
    button(dpy, 3, False, CurrentTime);
    XSync(dpy, False);

    bool popup = false;
    while (!popup && WaitForEvent(100)) {
        while (XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
            if (e.type == MapNotify && e.xmap.override_redirect) popup = true;
        }
    }
    if (!popup) return 1;
    usleep(200000); // the menu takes the keyboard as it opens; leave it time for that

    const unsigned b = XKeysymToKeycode(dpy, XK_b);
    const unsigned ret = XKeysymToKeycode(dpy, XK_Return);
    key(dpy, b, True, CurrentTime);
    key(dpy, b, False, CurrentTime);
    XSync(dpy, False);
    usleep(200000); // let the menu move its selection; nothing on screen says when it has

    const long long t = NowNs();
    key(dpy, ret, True, CurrentTime);
    key(dpy, ret, False, CurrentTime);
    XSync(dpy, False);
    std::printf("%lld\n", t);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: xwatch mapped TITLE | docked | menu WINDOW  [TIMEOUT_S]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const int timeoutArg = mode == "docked" ? 2 : 3;
    const double timeout = argc > timeoutArg ? std::atof(argv[timeoutArg]) : 20.0;
    deadline = NowNs() + static_cast<long long>(timeout * 1e9);

    dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "xwatch: cannot open display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    if (mode == "mapped" && argc > 2) return Mapped(argv[2]);
    if (mode == "docked") return Docked();
    if (mode == "menu" && argc > 2) return Menu(static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
    std::fprintf(stderr, "xwatch: unknown mode %s\n", mode.c_str());
    return 2;
}
