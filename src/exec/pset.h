// What PSET does once its coordinates are read: the statement and the compiled loops call it,
// inlined, as a loop may set millions of pixels.
#pragma once

#include "runtime/interpreter.h"

namespace brindle {

inline void PsetAt(Interpreter& in, int x, int y) {
  in.canvas.SetPixel(x, y, in.process.fore_color);
}

}  // namespace brindle
