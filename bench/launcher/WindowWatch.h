#pragma once

#include <sys/types.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <string>

// Watches an X server from the outside for a program's window: when the top-level window with a
// given title is mapped, and when its contents are first drawn (the DAMAGE extension reports the
// drawing; a look at the pixels makes sure it is the painted window, not a plain fill).
class WindowWatch {
public:
    WindowWatch() = default;
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
    ~WindowWatch();

    // Connects to $DISPLAY and starts listening for new top-level windows: call before the program
    // starts. Returns an error text, empty on success.
    std::string Connect();

    struct Times {
        std::int64_t mappedNs = 0;  // CLOCK_MONOTONIC
        std::int64_t paintedNs = 0; // CLOCK_MONOTONIC
    };
    // Waits for the window; an error text when `child` exits first or the deadline passes.
    std::string WaitForPaint(const std::string& title, pid_t child, std::int64_t deadlineNs, bool verbose,
                             Times& times);

    // Gives the painted window the keyboard focus, as a window manager does with a new window (there
    // is none on a bare X server), then stops watching.
    void FocusAndDisconnect();

private:
    std::string TitleOf(xcb_window_t window);
    bool LooksPainted(xcb_window_t window);

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_window_t m_target = 0;
    std::uint8_t m_damageEventBase = 0;
};
