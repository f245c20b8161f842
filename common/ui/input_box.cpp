#include "common/ui/input_box.h"

std::optional<std::string> ShowInputDialog(const std::string&, const std::string&, const std::string& defaultText,
                                           HWND) {
    return defaultText;
}
