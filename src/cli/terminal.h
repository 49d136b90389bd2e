// The program's words to the terminal and its exit statuses. Standard output and standard
// error go through the C library alone: <iostream>'s streams would cost every start-up their
// locale set-up.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace brindle::cli {

constexpr int kStatusUsage = 2;
constexpr int kStatusOutOfMemory = 4;
constexpr int kStatusInternalFault = 5;
// As timeout(1) reports a command it stopped.
constexpr int kStatusTimeLimit = 124;

void Write(std::FILE* stream, std::string_view text);

// "brindle: MESSAGE" on standard error; returns kStatusUsage.
int Fail(const std::string& message);

// What --help and --version print: lost output (a full disk, /dev/full) is an error.
int WriteOutput(std::string_view text);

// Each fault shown in a box, for the terminal and editors that read FILE:LINE:COL lines.
void ReportFault(const std::string& line);

}  // namespace brindle::cli
