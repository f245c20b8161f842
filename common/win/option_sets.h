// Option sets applied to gpg.conf, and the lines of gpg.conf other code asks for.
#pragma once

#include <string>

// ShellHomeDir\_options\<name>.txt
std::string OptionSetPath(const std::string& setName);

// Rewrites gpg.conf in GnuPGHome from the set. A set that cannot be read or a
// gpg.conf that cannot be written is reported (file-error message) and gives
// false; gpg.conf is then left as it was.
bool ApplyOptionSet(const std::string& setName);

// The first gpg.conf line that begins with the text, trimmed, or "". The file is
// read again only when its time stamp or size changed since the last call; a
// missing gpg.conf has no lines.
std::string FindGpgConfLine(const std::string& start);
