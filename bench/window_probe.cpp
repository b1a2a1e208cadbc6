// Times the real game's start in a real X display (Xvfb), the way a player
// meets it: from the moment the intro jingle is skipped with Escape, or from
// the moment it has played out and the loading window closes, to the first
// frame of the main window. The first frame is known by the main window's
// title: the game sets the title of a running pass ("10.00 P") right after
// that pass's frame is shown, and the start-up title before it carries whole
// hundredths ("1000 P"). The probe starts the game itself and watches the
// display's windows through X events, so the times are exact to a
// millisecond and no poll sits in between. Afterwards it can measure the
// idle game's CPU share from /proc, and reports its peak resident memory.
//
//   nebulor-window-probe skip|play [--idle SECONDS] -- GAME [ARGS...]
//
// Prints "name value" lines; exits non-zero when the game never got there.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string WindowTitle(Display* display, Window window) {
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, name, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

// A value of the game's /proc status in kilobytes ("VmHWM", "VmRSS").
long StatusKilobytes(pid_t pid, const char* key) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line))
        if (line.compare(0, prefix.size(), prefix) == 0) return std::atol(line.c_str() + prefix.size());
    return -1;
}

// User plus system clock ticks of the game so far.
long CpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::vector<std::string> fields;
    size_t at = close + 2;
    while (at < text.size()) {
        const size_t end = text.find(' ', at);
        fields.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    // Fields 14 and 15 of the file (utime, stime); fields[0] is field 3.
    if (fields.size() < 13) return -1;
    return std::atol(fields[11].c_str()) + std::atol(fields[12].c_str());
}

struct Probe {
    Display* display = nullptr;
    Window root = 0;
    bool skip = true;
    pid_t game = 0;
    Window loading = 0, main = 0;
    bool escaped = false, loadingClosed = false, firstFrame = false;
    Clock::time_point started, escapeAt, closedAt, firstFrameAt;
    long ticksAtEscape = -1, ticksAtFirstFrame = -1;  // the game's CPU time then

    void Watch(Window window) { XSelectInput(display, window, PropertyChangeMask | StructureNotifyMask); }

    bool IsRunningTitle(const std::string& title) {
        static const std::regex running(R"(^Nebulor v2\.5 - .*[0-9]\.[0-9][0-9] P)");
        return std::regex_search(title, running);
    }

    void PressEscape(Window window) {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, window, &attributes);
        // Keys go to the window under the pointer (no window manager gives focus).
        XWarpPointer(display, None, window, 0, 0, 0, 0, attributes.width / 2, attributes.height / 2);
        XSync(display, False);
        const KeyCode escape = XKeysymToKeycode(display, XK_Escape);
        XTestFakeKeyEvent(display, escape, True, 0);
        XFlush(display);
        escapeAt = Clock::now();
        ticksAtEscape = CpuTicks(game);
        escaped = true;
        // Held briefly, like a finger on the key.
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        XTestFakeKeyEvent(display, escape, False, 0);
        XFlush(display);
    }

    void OnMapped(Window window) {
        if (loading) return;
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, window, &attributes)) return;
        if (attributes.width != 400 || attributes.height != 200 || WindowTitle(display, window) != "Nebulor")
            return;
        loading = window;
        if (skip) PressEscape(window);
    }

    void OnTitle(Window window) {
        if (firstFrame || window == loading) return;
        if (!IsRunningTitle(WindowTitle(display, window))) return;
        main = window;
        firstFrame = true;
        firstFrameAt = Clock::now();
        ticksAtFirstFrame = CpuTicks(game);
    }

    void OnGone(Window window) {
        if (window != loading || loadingClosed) return;
        loadingClosed = true;
        closedAt = Clock::now();
    }

    void Handle(XEvent& event) {
        switch (event.type) {
            case CreateNotify:
                if (event.xcreatewindow.parent == root) {
                    Watch(event.xcreatewindow.window);
                    OnTitle(event.xcreatewindow.window);  // a title set before we listened
                }
                break;
            case MapNotify:
                if (event.xmap.event == root) OnMapped(event.xmap.window);
                break;
            case UnmapNotify: OnGone(event.xunmap.window); break;
            case DestroyNotify: OnGone(event.xdestroywindow.window); break;
            case PropertyNotify:
                if (event.xproperty.atom == XInternAtom(display, "_NET_WM_NAME", False))
                    OnTitle(event.xproperty.window);
                break;
            default: break;
        }
    }

    // Runs the event loop until the first frame, the game's end or `seconds`.
    bool WaitForFirstFrame(double seconds) {
        const int fd = ConnectionNumber(display);
        while (!firstFrame && MillisecondsSince(started) < seconds * 1000) {
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
                Handle(event);
            }
            if (firstFrame) break;
            int status = 0;
            if (waitpid(game, &status, WNOHANG) == game) {
                game = 0;
                return false;
            }
            pollfd wait{fd, POLLIN, 0};
            poll(&wait, 1, 20);
        }
        return firstFrame;
    }
};

void Usage() {
    std::fprintf(stderr, "usage: nebulor-window-probe skip|play [--idle SECONDS] -- GAME [ARGS...]\n");
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) Usage();
    Probe probe;
    const std::string mode = argv[1];
    if (mode != "skip" && mode != "play") Usage();
    probe.skip = mode == "skip";
    double idleSeconds = 0;
    int at = 2;
    for (; at < argc && std::strcmp(argv[at], "--") != 0; ++at) {
        if (std::strcmp(argv[at], "--idle") == 0 && at + 1 < argc)
            idleSeconds = std::atof(argv[++at]);
        else
            Usage();
    }
    if (at + 1 >= argc) Usage();
    char** command = argv + at + 1;

    probe.display = XOpenDisplay(nullptr);
    if (!probe.display) {
        std::fprintf(stderr, "nebulor-window-probe: no X display\n");
        return 2;
    }
    probe.root = DefaultRootWindow(probe.display);
    XSelectInput(probe.display, probe.root, SubstructureNotifyMask);
    XSync(probe.display, False);

    probe.started = Clock::now();
    probe.game = fork();
    if (probe.game == 0) {
        execvp(command[0], command);
        _exit(127);
    }
    const bool reached = probe.WaitForFirstFrame(60);
    int code = 0;
    if (!reached) {
        std::fprintf(stderr, "nebulor-window-probe: no first frame of the main window\n");
        code = 1;
    } else {
        std::printf("process_start_to_first_frame_ms %.0f\n",
                    std::chrono::duration<double, std::milli>(probe.firstFrameAt - probe.started).count());
        if (probe.escaped) {
            std::printf(
                "escape_to_first_frame_ms %.0f\n",
                std::chrono::duration<double, std::milli>(probe.firstFrameAt - probe.escapeAt).count());
            // CPU time of all the game's threads in between (10 ms steps):
            // what the wall clock would show on an idle two-core machine, times up to two.
            std::printf("escape_to_first_frame_cpu_ms %.0f\n",
                        1000.0 * static_cast<double>(probe.ticksAtFirstFrame - probe.ticksAtEscape) /
                            static_cast<double>(sysconf(_SC_CLK_TCK)));
        }
        if (probe.loadingClosed)
            std::printf(
                "loading_window_closed_to_first_frame_ms %.0f\n",
                std::chrono::duration<double, std::milli>(probe.firstFrameAt - probe.closedAt).count());
        std::printf("peak_resident_after_first_frame_mb %.0f\n",
                    static_cast<double>(StatusKilobytes(probe.game, "VmHWM")) / 1024.0);
        if (idleSeconds > 0) {
            // The payline demo and the first sparkles settle first.
            std::this_thread::sleep_for(std::chrono::seconds(5));
            const long before = CpuTicks(probe.game);
            const auto from = Clock::now();
            std::this_thread::sleep_for(std::chrono::duration<double>(idleSeconds));
            const long after = CpuTicks(probe.game);
            const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
            const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
            std::printf("idle_cpu_percent_of_one_core %.1f\n",
                        100.0 * static_cast<double>(after - before) / ticks / seconds);
            std::printf("peak_resident_after_idle_mb %.0f\n",
                        static_cast<double>(StatusKilobytes(probe.game, "VmHWM")) / 1024.0);
        }
    }
    if (probe.game > 0) {
        kill(probe.game, SIGTERM);  // the game's normal shutdown
        int status = 0;
        for (int i = 0; i < 100 && waitpid(probe.game, &status, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (waitpid(probe.game, &status, WNOHANG) == 0) {
            kill(probe.game, SIGKILL);
            waitpid(probe.game, &status, 0);
        }
    }
    XCloseDisplay(probe.display);
    return code;
}
