#pragma once
#include "platform/Messages.h"

// The push-button behaviour of the "BUTTON" window class: a press by the left mouse button or
// the space key, tracked while the mouse is captured, ends in BN_CLICKED only when it is
// released over the button. Owner-drawn buttons (BS_OWNERDRAW) are asked to draw themselves
// with CN_DRAWITEM on every change of the pressed or focus state and on WM_PAINT; a double
// click on them only notifies BN_DOUBLECLICKED, as the window class does. Notifications come
// to the button itself as CN_COMMAND (the parent's reflection folded in).
// Returns false for messages the button class leaves to the generic handling.
bool ButtonWindowProc(HWND window, TMessage& message);

// Whether the button shows itself pressed (BM_GETSTATE & BST_PUSHED).
bool ButtonPushed(HWND window);
