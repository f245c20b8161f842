// The search list WhichFile walks, as plain text work.
#pragma once

#include <string>
#include <vector>

// The folders to look in, in order: programDir (when given), then the ";"-separated
// entries of the path list. Only entries of the form "X:\something" are kept
// (no UNC paths, no relative or quoted entries, no bare drive roots, no
// unexpanded "%VAR%" references); a trailing backslash is dropped.
std::vector<std::string> SearchFolders(const std::string& programDir, const std::string& windowsSystemDir,
                                       const std::string& pathVariable);
