#include "qrxcc.h"

namespace {
const QrxLibraryVersion kVersion = {
    5, 0, 11, 10, {'e', '9', '\0', '\0'}, "qrxcce9.dll", "v5.0", "Sep  7 2005",
};
}  // namespace

extern "C" QRXCC_API const QrxLibraryVersion* qrxccGetLibVersion(void) { return &kVersion; }
