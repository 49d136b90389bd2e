// brindle --lsp: the language server on standard input and output.
#pragma once

namespace brindle::lsp {

// Serves until the exit notification or the end of the input; returns the exit status: 0 after
// shutdown and exit, else 1.
int ServeStdio(int in_fd, int out_fd);

}  // namespace brindle::lsp
