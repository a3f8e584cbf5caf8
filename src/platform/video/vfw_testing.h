// Test seam for the AVIFile layer.
#pragma once

namespace platform::testing {
// Number of AVIFileInit calls not yet matched by AVIFileExit.
int AviFileInitDepth();
}  // namespace platform::testing
