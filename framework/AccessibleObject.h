// The Active Accessibility objects of our windows. A window answers
// WM_GETOBJECT for its client area with one when its control has a role of its
// own (a picture button, a link) or holds windowless controls with roles (the
// launcher's info line, the About page's texts); otherwise the system's own
// object serves. CHILDID_SELF is the window's control; the children, in
// creation order, are its windowless controls with roles (simple elements) and
// its child windows.
//
// The window keeps one reference. When the window goes, the object is cut off
// from it: every call a client still makes answers CO_E_OBJNOTCONNECTED.
#pragma once

#include <windows.h>

#include <oleacc.h>

namespace fw {

class Control;
class WinControl;
class AccessibleObject;

// The object for the window's client area, as WM_GETOBJECT hands it on: a new
// reference, or null while no window exists or when the system's object serves.
IAccessible* AccessibleObjectOf(WinControl& control);
// Cuts the object off from its window and lets go of the window's reference.
void DisconnectAccessible(AccessibleObject*& object) noexcept;
// The message that runs a default action asked for by a client, posted to the
// window so that the client's call returns before a menu or dialog opens:
// wParam 0 for the window's own control, else the child id.
UINT AccessibleActionMessage() noexcept;
void RunAccessibleAction(WinControl& control, WPARAM childId);
// The child id of a control in its window's object; 0 when it is not reported.
long AccessibleChildId(const WinControl& parent, const Control& child);

} // namespace fw
