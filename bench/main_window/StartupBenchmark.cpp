// From exec to the main window shown: the workbench opening a project, alternating with a
// program that shows an empty QMainWindow, both under the X display of the environment (xcb).
// "Shown" is the moment the X server maps the program's top-level window whose title holds the
// expected text; the benchmark watches the root window's children for it, then kills the program.
//
//   bench_workbench_startup <project.tkp2> [runs]
//
// Both programs are taken from beside this one and run with a home folder of their own.

#include <xcb/xcb.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Display
{
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    xcb_atom_t netWmName = 0;
    xcb_atom_t utf8 = 0;
};

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

std::optional<Display> openDisplay()
{
    Display display;
    int screenNumber = 0;
    display.connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(display.connection))
        return std::nullopt;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(display.connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    display.root = screens.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(display.connection, display.root, XCB_CW_EVENT_MASK, &mask);
    display.netWmName = atom(display.connection, "_NET_WM_NAME");
    display.utf8 = atom(display.connection, "UTF8_STRING");
    xcb_flush(display.connection);
    return display;
}

std::string windowTitle(const Display& display, xcb_window_t window)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        display.connection,
        xcb_get_property(display.connection, 0, window, display.netWmName, display.utf8, 0, 1024), nullptr);
    std::string title;
    if (reply)
        title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    return title;
}

// Milliseconds from exec to the map of a top-level window titled with `needle`; none if the
// program ended or took longer than a minute.
std::optional<double> timeToWindow(const Display& display, const std::vector<std::string>& command,
                                   const std::string& home, const std::string& needle)
{
    std::vector<char*> argv;
    for (const std::string& part : command)
        argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    std::optional<double> elapsed;
    pollfd watch{xcb_get_file_descriptor(display.connection), POLLIN, 0};
    while (!elapsed && Clock::now() - start < std::chrono::minutes(1)) {
        xcb_generic_event_t* event = xcb_poll_for_event(display.connection);
        if (!event) {
            if (waitpid(child, nullptr, WNOHANG) == child)
                return std::nullopt;
            poll(&watch, 1, 50);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (windowTitle(display, mapped->window).find(needle) != std::string::npos)
                elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        std::free(event);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    // Events of the killed program's windows must not reach the next run.
    while (xcb_generic_event_t* event = xcb_poll_for_event(display.connection))
        std::free(event);
    return elapsed;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_workbench_startup <project.tkp2> [runs]\n");
        return 2;
    }
    const std::filesystem::path project = std::filesystem::absolute(argv[1]);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 11;
    const std::filesystem::path bin = std::filesystem::canonical("/proc/self/exe").parent_path();
    std::optional<Display> display = openDisplay();
    if (!display) {
        std::fprintf(stderr, "no X display: run under xvfb-run (see bench/main_window/run.sh)\n");
        return 2;
    }
    char homeTemplate[] = "/tmp/bench-startup-XXXXXX";
    const std::string home = mkdtemp(homeTemplate);

    const std::vector<std::string> workbench{(bin / "tavview").string(), project.string()};
    const std::vector<std::string> reference{(bin / "bench_empty_main_window").string()};
    const std::string title = project.stem().string();
    // The first start fills the profile; neither side counts its cold start.
    timeToWindow(*display, workbench, home, title);
    timeToWindow(*display, reference, home, "Empty main window");

    std::vector<double> workbenchMs, referenceMs;
    for (int i = 0; i < runs; ++i) {
        const std::optional<double> empty = timeToWindow(*display, reference, home, "Empty main window");
        const std::optional<double> opened = timeToWindow(*display, workbench, home, title);
        if (!empty || !opened) {
            std::fprintf(stderr, "a program ended or showed no window in time\n");
            return 1;
        }
        referenceMs.push_back(*empty);
        workbenchMs.push_back(*opened);
    }
    std::filesystem::remove_all(home);
    const double referenceMedian = median(referenceMs);
    const double workbenchMedian = median(workbenchMs);
    std::printf("exec to main window shown, %d runs (median / min ms)\n", runs);
    std::printf("  empty QMainWindow         %8.1f / %8.1f\n", referenceMedian,
                *std::min_element(referenceMs.begin(), referenceMs.end()));
    std::printf("  tavview %-17s %8.1f / %8.1f   (%.2f x the empty window)\n", project.filename().c_str(),
                workbenchMedian, *std::min_element(workbenchMs.begin(), workbenchMs.end()),
                workbenchMedian / referenceMedian);
    return 0;
}
