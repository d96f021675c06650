#pragma once

// Test control of the other-transactions visit: what the command loop does
// is another window's concern, so a test of a visit can put its own run in
// the loop's place and decide how each run ends.

#include <functional>

namespace outras {

// While set, each command-loop run inside a visit calls `laco` instead of
// ContinuaFuncao. An empty function gives the real loop back.
void substituiLaco(std::function<void()> laco);

} // namespace outras
