// The files around a run: the script and the events read, the pictures written, and the
// options every run takes from the environment.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "host/command_line.h"

namespace brindle::cli {

// A file read whole (the events); nothing, said on stderr, when it cannot be read.
std::optional<std::string> ReadInput(const std::string& path);

// The script, in the encoding asked for; its warnings go to standard error at once, and are
// counted in warnings.
bool ReadScriptFile(const CommandLine& cl, std::string& text, std::string& reason, int& warnings);

// Writes the picture of --screenshot; false, said on stderr, if it could not be written.
bool WriteScreenshot(const std::vector<ColorRef>& picture, const std::optional<std::string>& file);

// Files a run will write are refused before it starts, so that a long run is not wasted on a
// picture it cannot keep.
bool Writable(const std::optional<std::string>& file);

// The files a run writes (--screenshot, --gif, --record) are none of the files it reads (the
// script, --events) and no two of them are one: writing one would destroy the other. False,
// said on stderr, when two are one.
bool OutputsApart(const CommandLine& cl);

// BRINDLE_SLOW_PATHS=1 runs without the interpreter's caches, fusions and shortcuts. An
// environment variable rather than an option or a second build: the tests run the one binary
// they test both ways, and the command line users see stays as documented.
bool SlowPathsAsked();
// BRINDLE_SLOW_PATHS=statements: every statement dispatched by the statement loop, as a
// debugger runs them (expressions still compiled).
bool EachStatementAsked();

}  // namespace brindle::cli
