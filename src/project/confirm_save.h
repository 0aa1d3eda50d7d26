// "Save current project?" before the open project is closed or replaced.
#pragma once

#include <functional>

#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

// Asks Yes / No / Cancel. Yes runs `save` (the save through the progress dialog). Yes and No both
// clear `modified`, also when the save failed: the user has decided about the changes. Cancel changes
// nothing; the caller then abandons its command.
Answer confirm_save(Project& project, Host& host, const std::function<bool()>& save);

}  // namespace plotwell
