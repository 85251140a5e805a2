#pragma once

#include <functional>

namespace rt {

class RuntimeError;

// Every event handler runs through here. An error that no trap caught is reported in a message
// box and the program goes on: the handler's effects so far stay as they are.
void dispatch(const std::function<void()> &handler);

void reportUntrapped(const RuntimeError &error);

} // namespace rt
