#include "widgets/held_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QtGui/qguiapplication_platform.h>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <xcb/xcb.h>

namespace
{

std::function<bool(const QKeyEvent&)>& Override()
{
    static std::function<bool(const QKeyEvent&)> held;
    return held;
}

// The server's key map is the state of the keys now, whatever events are still on their way.
bool X11KeyDown(xcb_connection_t* connection, quint32 keycode)
{
    if (keycode > 255)
        return false;
    xcb_query_keymap_reply_t* reply =
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
    if (!reply)
        return false;
    const bool down = (reply->keys[keycode / 8] >> (keycode % 8)) & 1;
    std::free(reply);
    return down;
}

} // namespace

bool KeyStillHeld(const QKeyEvent& release)
{
    if (Override())
        return Override()(release);
    // A release that says so itself, or one sent by the program, needs no asking.
    if (release.isAutoRepeat() || release.nativeScanCode() == 0 || !qGuiApp)
        return release.isAutoRepeat();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    return X11KeyDown(x11->connection(), release.nativeScanCode());
}

HeldKeysOverride::HeldKeysOverride(std::function<bool(const QKeyEvent&)> held)
    : previous_(std::exchange(Override(), std::move(held)))
{
}

HeldKeysOverride::~HeldKeysOverride()
{
    Override() = std::move(previous_);
}
