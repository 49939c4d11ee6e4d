// The embedded test image: colour bars over horizontal and vertical gradients.
#pragma once

#include "pnm.h"

namespace qrxconvert {
Image make_test_image(int width = 640, int height = 480);
}
