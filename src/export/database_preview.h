// The "Map Preview" window's model: one map database decoded once, looked at through the handheld's
// five zoom levels and panned over its output coordinates. The view only shows preview_picture.
#pragma once

#include <string>
#include <string_view>

#include "export/database_check.h"
#include "export/database_render.h"
#include "model/result.h"
#include "platform/host.h"
#include "platform/image.h"

namespace plotwell {

class DatabasePreviewModel final : public DialogModel {
  public:
    std::string_view dialog_title() const override { return "Map Preview"; }

    std::string path;
    InspectReport report;
    RenderView view;  // starts at the database's initial zoom and centre
};

// Reads and decodes the file; a database with faults opens too (what is sound is shown), a file that
// cannot be read does not.
Result open_preview(DatabasePreviewModel& model, const std::string& path);

void set_preview_zoom(DatabasePreviewModel& model, int zoom);
void set_preview_size(DatabasePreviewModel& model, int width, int height);
// Moves the picture by whole pixels, as a drag does: the centre moves the other way.
void pan_preview(DatabasePreviewModel& model, int dx, int dy);

Image preview_picture(const DatabasePreviewModel& model);
// One line under the picture: the centre, and how much of the file was left out.
std::string preview_status(const DatabasePreviewModel& model);

}  // namespace plotwell
