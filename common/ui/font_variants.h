// Bold and underlined forms of a font a control already uses, so emphasis keeps
// the face and size of the text around it. A null base means the system's GUI font.
#pragma once

#include <windows.h>

#include "common/ui/gdi.h"

// The font with bold weight (everything else kept).
UniqueFont BoldVariant(HFONT base);
// The font underlined (its weight kept).
UniqueFont UnderlinedVariant(HFONT base);
