#pragma once

#include "imaging/ui/ZoomWindow.h"

namespace kivo {

// The sales window's closer look at the selected photo is the zoom window.
using ZoomedPhotoView = ZoomWindow;

} // namespace kivo
