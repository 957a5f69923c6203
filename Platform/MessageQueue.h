#pragma once

#include <optional>

#include "Platform/Message.h"

namespace platform {

// Takes the oldest pending message of one window off the queue. Key messages
// update the keyboard state as they are handed out.
std::optional<Message> PopMessage(WindowId window);

// Takes the oldest pending message of any window and hands it to that
// window's handler; returns whether there was one.
bool DispatchOneMessage();

// The window that receives what DispatchOneMessage takes for it; null removes.
void SetMessageHandler(WindowId window, MessageHandler* handler);

// Drops what is queued for a window that is gone.
void ForgetWindow(WindowId window);

}  // namespace platform
