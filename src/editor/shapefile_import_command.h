// File > Import > "from &ShapeFile...": choose the .shp file, open it with its index and attribute
// table, fill the import settings in the "Import ShapeFile" dialog, then import behind the progress
// dialog, whose "Stop" ends the reading after the current record.
#pragma once

#include "editor/editor_context.h"

namespace plotwell {

// Cancelled when nothing was imported: no project, a
// cancelled file or import dialog, or a file that cannot be imported (missing .shx or .dbf, an
// unsupported shape type, no layer to import into; each refused with a message). Failed when the import
// ran but added no object (its log said so). Ok once the worker has ended with objects added, stopped
// or not; the editor then fits the view, marks the project modified, updates the title and redraws.
Outcome import_shapefile_file_command(EditorContext& ctx);

}  // namespace plotwell
