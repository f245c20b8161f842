#include "keymanager/logic/drop_format.h"

#include <cctype>

namespace {

// The pattern "*A*B*...*" as a search for each piece after the previous one:
// taking the earliest place of every piece never loses a match, and it stays
// linear however large the dropped file is.
bool PiecesInOrder(std::string_view text, std::initializer_list<std::string_view> pieces) {
    size_t from = 0;
    for (std::string_view piece : pieces) {
        const size_t at = text.find(piece, from);
        if (at == std::string_view::npos) return false;
        from = at + piece.size();
    }
    return true;
}

bool IsKeyBlock(std::string_view text) {
    return PiecesInOrder(text, {"-----BEGIN PGP P", " KEY BLOCK-----", "\n-----END PGP P", " KEY BLOCK-----"});
}

// CR LF + 40 characters of one line + ":" + 1 to 3 digits + ":" + CR LF.
bool HasOwnerTrustLine(std::string_view text) {
    for (size_t start = text.find("\r\n"); start != std::string_view::npos; start = text.find("\r\n", start + 2)) {
        const size_t line = start + 2;
        const size_t end = text.find("\r\n", line);
        if (end == std::string_view::npos) return false;
        const std::string_view content = text.substr(line, end - line);
        if (content.size() < 43 || content.size() > 45) continue;
        if (content.find('\r') != std::string_view::npos || content.find('\n') != std::string_view::npos) continue;
        if (content[40] != ':' || content.back() != ':') continue;
        const std::string_view digits = content.substr(41, content.size() - 42);
        bool allDigits = !digits.empty();
        for (char c : digits) allDigits = allDigits && std::isdigit(static_cast<unsigned char>(c));
        if (allDigits) return true;
    }
    return false;
}

}  // namespace

DroppedFileKind ClassifyDroppedFile(std::string_view content) {
    if (IsKeyBlock(content)) return DroppedFileKind::KeyBlock;
    if (HasOwnerTrustLine(content)) return DroppedFileKind::OwnerTrust;
    return DroppedFileKind::Unsupported;
}
