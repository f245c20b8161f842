// StampVersionLine on a file: run after GnuPG has written an armored file for the
// suite (exports; encryptions and signatures). See common/version_line.h.
#pragma once

#include <string>

// Nothing when the [Advanced] switch NoVersionChange is on, or when the file cannot
// be read. The new text is written beside the file and then put in its place, so
// a failed write leaves the file as GnuPG wrote it.
void StampVersionLine(const std::string& armoredFile, bool signature);
