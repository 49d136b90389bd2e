// Reading the script the command line names: the file's bytes, converted to the text the script
// sees (script_encoding.h). Runs in a window and headless, --check and --lint all read it here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/script_encoding.h"

namespace brindle {

// Reads the script into text. False, with the reason for "cannot read PATH: REASON", when the
// file cannot be read or UTF-8 was required and it is not. The lines holding characters that
// Windows-1252 lacks are reported through warn (UnmappedWarnings).
bool ReadScript(const std::string& path, ScriptEncoding encoding,
                const std::function<void(const std::string&)>& warn, std::string& text,
                std::string& reason);

// The warnings of a decoded script, one for each line with characters the code page lacks; past
// 20 such lines, one more tells how many lines are left.
std::vector<std::string> UnmappedWarnings(const std::string& path, const DecodedScript& script);

}  // namespace brindle
