#pragma once
// Window messages between the windows of this and other processes. A top-level window
// registers with its class name and caption and gets a handle; other code finds it
// with FindWindow and sends it messages. Inside one process a message is a direct call
// on the GUI thread; between processes it travels over a local socket per window.
#include <QString>
#include <functional>

#include "platform/WinTypes.h"

namespace win {

using MessageHandler = std::function<LRESULT(unsigned msg, WPARAM wParam, LPARAM lParam)>;

// Registers a window (call on the GUI thread, with a running or later event loop).
// Returns its handle (a positive 32-bit number). The handler runs on the GUI thread.
HWND RegisterWindow(const QString& className, const QString& caption, MessageHandler handler);
void UnregisterWindow(HWND hwnd);
void SetWindowCaption(HWND hwnd, const QString& caption);
bool IsWindow(HWND hwnd);

// Finds a window of this or another process; an empty class or caption matches any.
// 0 when none exists.
HWND FindWindow(const QString& className, const QString& caption);

// Blocking send: returns the handler's result; 0 when the window does not exist or
// its process ended before answering.
LRESULT SendMessage(HWND hwnd, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queued send: returns at once; false when the window does not exist.
bool PostMessage(HWND hwnd, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);

} // namespace win
