#include "WindowWatch.h"

#include "ProcessStats.h"

#include <xcb/damage.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> Own(T* reply) {
    return Reply<T>(reply, &std::free);
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto reply = Own(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

WindowWatch::~WindowWatch() {
    // Disconnecting also frees the damage objects and the event selection.
    if (m_connection)
        xcb_disconnect(m_connection);
}

void WindowWatch::FocusAndDisconnect() {
    xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, m_target, XCB_CURRENT_TIME);
    // A round trip: the server must have carried the request out before the connection closes.
    Own(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    xcb_disconnect(m_connection);
    m_connection = nullptr;
}

std::string WindowWatch::Connect() {
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection))
        return "cannot connect to the X server (DISPLAY)";
    // The program started next must not inherit the connection.
    fcntl(xcb_get_file_descriptor(m_connection), F_SETFD, FD_CLOEXEC);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    m_root = screens.data->root;

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
    if (!damage || !damage->present)
        return "the X server has no DAMAGE extension";
    m_damageEventBase = damage->first_event;
    // The version must be announced before the extension may be used.
    Own(xcb_damage_query_version_reply(m_connection, xcb_damage_query_version(m_connection, 1, 1), nullptr));

    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const auto error = Own(xcb_request_check(
        m_connection, xcb_change_window_attributes_checked(m_connection, m_root, XCB_CW_EVENT_MASK, &mask)));
    return error ? "cannot listen to the root window" : "";
}

std::string WindowWatch::TitleOf(xcb_window_t window) {
    static const xcb_atom_t netWmName = Atom(m_connection, "_NET_WM_NAME");
    for (const xcb_atom_t property : {netWmName, xcb_atom_t(XCB_ATOM_WM_NAME)}) {
        const auto reply = Own(xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr));
        if (reply && xcb_get_property_value_length(reply.get()) > 0)
            return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                               static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    }
    return {};
}

bool WindowWatch::LooksPainted(xcb_window_t window) {
    const auto geometry =
        Own(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    if (!geometry)
        return false;
    const auto image = Own(xcb_get_image_reply(m_connection,
                                               xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window,
                                                             0, 0, geometry->width, geometry->height, ~0u),
                                               nullptr));
    if (!image)
        return false;
    // A painted window shows text and frames; a cleared one is a single colour.
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(image.get()));
    const int count = xcb_get_image_data_length(image.get()) / 4;
    for (int i = 1; i < count; ++i)
        if ((pixels[i] & 0xFFFFFFu) != (pixels[0] & 0xFFFFFFu))
            return true;
    return false;
}

std::string WindowWatch::WaitForPaint(const std::string& title, pid_t child, std::int64_t deadlineNs,
                                      bool verbose, Times& times) {
    pollfd descriptor{xcb_get_file_descriptor(m_connection), POLLIN, 0};
    while (true) {
        xcb_generic_event_t* raw = xcb_poll_for_event(m_connection);
        if (!raw) {
            if (xcb_connection_has_error(m_connection))
                return "lost the X connection";
            if (waitpid(child, nullptr, WNOHANG) == child)
                return "the program exited before its window was painted";
            if (ProcessStats::MonotonicNs() > deadlineNs)
                return "timed out waiting for the window to be painted";
            poll(&descriptor, 1, 50);
            continue;
        }
        const auto event = Own(raw);
        const std::int64_t now = ProcessStats::MonotonicNs();
        const std::uint8_t type = event->response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY) {
            // Every new top-level window is watched from its creation, so no drawing can be missed.
            const auto* created = reinterpret_cast<const xcb_create_notify_event_t*>(event.get());
            if (created->parent == m_root) {
                xcb_damage_create(m_connection, xcb_generate_id(m_connection), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(m_connection);
            }
        } else if (type == XCB_MAP_NOTIFY && m_target == XCB_WINDOW_NONE) {
            const auto* mapped = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            const std::string mappedTitle = TitleOf(mapped->window);
            if (verbose)
                std::fprintf(stderr, "map %#x \"%s\"\n", mapped->window, mappedTitle.c_str());
            if (mappedTitle == title) {
                m_target = mapped->window;
                times.mappedNs = now;
            }
        } else if (type == m_damageEventBase + XCB_DAMAGE_NOTIFY) {
            const auto* damaged = reinterpret_cast<const xcb_damage_notify_event_t*>(event.get());
            if (damaged->drawable != m_target)
                continue;
            const bool painted = LooksPainted(m_target);
            if (verbose)
                std::fprintf(stderr, "damage %+.1f ms after map, %s\n", (now - times.mappedNs) / 1e6,
                             painted ? "painted" : "plain");
            if (painted) {
                times.paintedNs = now;
                return {};
            }
            // Re-arm: the next drawing is reported again.
            xcb_damage_subtract(m_connection, damaged->damage, XCB_NONE, XCB_NONE);
            xcb_flush(m_connection);
        }
    }
}
