#pragma once

#include <functional>

namespace toolkit {

// Runs an event handler as the event loop does: a failure that leaves it is shown in the error
// box with its own text and the loop goes on; a SilentStop ends it without a box.
// Returns true when the handler completed.
bool runReported(const std::function<void()>& handler);

} // namespace toolkit
