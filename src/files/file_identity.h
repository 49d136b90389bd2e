// Whether two names lead to one file, so that a file the program writes is never one it reads
// or writes under another name.
#pragma once

#include <string>

namespace brindle {

// Two files that exist are one when they have the same device and inode, links followed (a
// hard link included). Two that do not exist yet are one when their paths are, once the links
// of the folders on the way are followed and "." and ".." are taken out. One that exists and
// one that does not are two.
bool NameTheSameFile(const std::string& a, const std::string& b);

}  // namespace brindle
