// What a file dropped on the key list holds. Platform-free.
#pragma once

#include <string_view>

enum class DroppedFileKind { KeyBlock, OwnerTrust, Unsupported };

// A key block: the text matches "*-----BEGIN PGP P* KEY BLOCK-----*" + LF +
// "-----END PGP P* KEY BLOCK-----*". An owner-trust export: a CR LF, a line of
// 40 characters, ":", one to three digits, ":" and a CR LF.
DroppedFileKind ClassifyDroppedFile(std::string_view content);
