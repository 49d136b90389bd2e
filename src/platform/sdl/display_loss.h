// What happens when the display goes away under the window (the X server ends, the remote
// session drops): the program says so and ends with status 2, like any display it cannot use.
#pragma once

namespace brindle {

inline constexpr int kStatusLostDisplay = 2;

// Installs the handler once the window system's library is loaded. Without one, Xlib prints
// its own text and ends the process with status 1, which reads as "script refused".
void EndProgramWhenTheDisplayIsLost();

}  // namespace brindle
