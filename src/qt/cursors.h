// The map area's cursors: four drawn ones for vertices, segments, objects and moving, and the system's
// arrow and sizing cursors.
#pragma once

#include <QCursor>

#include "platform/host.h"

namespace plotwell::qt {

// Made once, on the first call (after the application object exists).
const QCursor& cursor_for(Cursor cursor);

}  // namespace plotwell::qt
