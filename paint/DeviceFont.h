#pragma once
// Turning a font request into the font a paint device draws with.

#include <QFont>

#include "platform/TDC.h"

class QPaintDevice;

namespace paint {

// The font of request on device: its character cell (ascent + descent) is
// request.height dots tall, as near as whole pixel sizes allow; weight,
// slant, underline and strike-out as asked; a face that is not installed is
// replaced by fontconfig's substitute, or by a face of the family the
// request prefers.
QFont MakeDeviceFont(const platform::TFontRequest& request, const QPaintDevice& device);

}  // namespace paint
