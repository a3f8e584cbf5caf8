// Test seam for the GDI text layer.
#pragma once
#include <string>

#include "platform/gdi/gdi_font.h"

namespace platform::testing {
// The file a font was made from; empty for a handle that is no live font.
std::string FontFileOf(HFONT font);
}  // namespace platform::testing
