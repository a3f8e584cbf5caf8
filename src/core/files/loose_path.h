// Resolves a loose-file path the way the content names it: stored names mix
// letter case and may use "\\" as the separator, while the Linux file system
// is case-sensitive and knows only "/". Every loose read goes through here.
#pragma once
#include <string>

namespace vfs {

// The path of an existing file or folder that matches `path` component by
// component without regard to ASCII letter case, "\\" read as "/"; `path`
// unchanged when it exists as written or when nothing matches.
std::string ResolveLoosePath(const std::string& path);

}  // namespace vfs
