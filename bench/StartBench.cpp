// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Start-up measured from outside: exec to the first painted frame of the
// window, and resident memory then, on a running X server (scripts/bench
// starts Xvfb). Each program runs `runs` times, alternating with the others.
//
// usage: start_bench RUNS [VAR=VALUE...] PROGRAM...
// Assignments before a program hold for that program only (another store, say).
// The first frame is the moment the centre of the first top-level window the
// program maps shows anything but the black root behind it.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <utility>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
    std::string label;
    std::string path;
    std::vector<std::string> environment;
};

struct Sample {
    double milliseconds;
    long residentKilobytes;
};

long residentKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long value = 0;
            status >> value;
            return value;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

bool painted(Display *display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    XImage *image = XGetImage(display, window, attributes.width / 2, attributes.height / 2, 1, 1,
                              AllPlanes, ZPixmap);
    if (!image)
        return false;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return (pixel & 0xffffff) != 0;
}

Sample runOnce(Display *display, const Program &program)
{
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        for (const std::string &assignment : program.environment)
            putenv(const_cast<char *>(assignment.c_str()));
        execl(program.path.c_str(), program.path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    Window window = 0;
    while (!window) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == root)
            window = event.xmap.window;
    }
    while (!painted(display, window))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const long resident = residentKilobytes(pid);

    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XSelectInput(display, root, NoEventMask);
    return {ms, resident};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM...\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "%s: cannot open display (set DISPLAY, e.g. under Xvfb)\n", argv[0]);
        return 1;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<Program> programs;
    std::vector<std::string> pending;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.find('=') != std::string::npos && argument.front() != '/') {
            pending.push_back(argument);
            continue;
        }
        std::string label = argument;
        for (const std::string &assignment : pending)
            label = assignment + " " + label;
        programs.push_back({label, argument, std::exchange(pending, {})});
    }
    std::vector<std::vector<double>> times(programs.size()), memory(programs.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const Sample sample = runOnce(display, programs[p]);
            times[p].push_back(sample.milliseconds);
            memory[p].push_back(static_cast<double>(sample.residentKilobytes));
        }
    }
    std::printf("program\tfirst_frame_ms\tresident_kb\n");
    for (std::size_t p = 0; p < programs.size(); ++p)
        std::printf("%s\t%.1f\t%.0f\n", programs[p].label.c_str(), median(times[p]),
                    median(memory[p]));
    XCloseDisplay(display);
    return 0;
}
