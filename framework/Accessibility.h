// What assistive technology (screen readers, magnifiers, speech input) is told
// about a control: its role and state bits, with the values of Active
// Accessibility, so that they pass to clients unchanged. The objects that
// answer the clients are in AccessibleObject.h.
#pragma once

#include <windows.h>

namespace fw {

class Control;

enum class AccRole : long {
    None = 0,      // not exposed: a windowless control its window does not report
    Client = 0x0A, // a window's client area that holds other objects
    Link = 0x1E,
    Graphic = 0x28,
    StaticText = 0x29,
    Text = 0x2A, // a text the user reads (read-only here)
    PushButton = 0x2B,
    MenuButton = 0x39 // a push button that drops a menu
};

using AccStates = unsigned long;
namespace acc {
constexpr AccStates Unavailable = 0x1;
constexpr AccStates Focused = 0x4;
constexpr AccStates Pressed = 0x8;
constexpr AccStates ReadOnly = 0x40;
constexpr AccStates HotTracked = 0x80;
constexpr AccStates Invisible = 0x8000;
constexpr AccStates Focusable = 0x100000;
constexpr AccStates Linked = 0x400000;
constexpr AccStates HasPopup = 0x40000000;
} // namespace acc

// Tells clients that something about the control changed (EVENT_OBJECT_*):
// for a windowed control its own window's client object, for a windowless one
// its child element in its window's object. Nothing while no window exists.
void NotifyAccessibleEvent(const Control& control, DWORD event) noexcept;

} // namespace fw
