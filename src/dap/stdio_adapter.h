// brindle --dap on standard input and output.
#pragma once

#include "dap/session.h"

namespace brindle::dap {

// Serves one session; returns the exit status. open_window makes a run's window.
int ServeStdio(int in_fd, int out_fd, Session::OpenWindow open_window);

}  // namespace brindle::dap
