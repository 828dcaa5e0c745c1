// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Times one program from its launch to the moment the X server maps its window of a given title, and
// prints the milliseconds. It listens for the map on the root window instead of polling for it, so the
// figure carries no polling interval and no other processes compete with the program for the processors.
// Usage: nibsy_launch_timer <window title> <program> [arguments...]   (needs DISPLAY; no window manager)

#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

extern char** environ;

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::string textProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->format != 8) {
        return {};
    }
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            size_t(xcb_get_property_value_length(reply.get()))};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <window title> <program> [arguments...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X server on DISPLAY\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netWmName = atom(c, "_NET_WM_NAME");
    xcb_flush(c);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
        std::fprintf(stderr, "%s could not be started\n", argv[2]);
        return 2;
    }
    int status = 0;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::free(event);
            if (mapped && (textProperty(c, window, netWmName) == title ||
                           textProperty(c, window, XCB_ATOM_WM_NAME) == title)) {
                const auto shown = std::chrono::steady_clock::now();
                std::printf("%.1f\n", std::chrono::duration<double, std::milli>(shown - start).count());
                kill(child, SIGTERM);
                waitpid(child, &status, 0);
                xcb_disconnect(c);
                return 0;
            }
        }
        if (xcb_connection_has_error(c)) {
            std::fprintf(stderr, "the X server went away\n");
            return 2;
        }
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "%s ended before showing \"%s\"\n", argv[2], title.c_str());
            return 1;
        }
        poll(&fd, 1, 100);
    }
}
