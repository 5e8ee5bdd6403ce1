#pragma once
#include "platform/Application.h"

// The program-wide hint chain: every grid puts its cell-hint handler in front of the
// application's own, and all of them are asked for each hint, the latest first, so the
// application's handler has the last word. A handler is known by the object it belongs to;
// removing an object removes all of its handlers.
void AddShowHintProc(const void* owner, TShowHintEvent handler);
void RemoveShowHintProc(const void* owner);
// The same for the application's idle time; the application hears whether all are done.
void AddIdleProc(const void* owner, TIdleEvent handler);
void RemoveIdleProc(const void* owner);
