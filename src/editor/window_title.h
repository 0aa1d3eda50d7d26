// The main window's title: "Plotwell - " and the project's base name, " *" while it is modified.
#pragma once

#include <string>

#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

inline constexpr size_t kTitleLimit = 127;

std::string window_title(const Project& project);
void update_title(const Project& project, Host& host);

}  // namespace plotwell
