// Import profiles kept by name in the user's configuration folder, one profile file each.
#pragma once

#include <string>
#include <vector>

#include "model/result.h"

namespace plotwell {

// The folder of the profiles inside a configuration folder.
std::string profile_folder_in(const std::string& config_folder);
// The names of the profiles kept there, sorted; none when the folder does not exist.
std::vector<std::string> list_profiles(const std::string& folder);
// A name that is empty, too long, starts with '.' or holds a path separator or control character fails
// with the reason.
Result check_profile_name(const std::string& name);
std::string profile_path(const std::string& folder, const std::string& name);
// Writes the profile text whole (creating the folder), or fails leaving any old profile as it was.
Result save_profile(const std::string& folder, const std::string& name, const std::string& text);
Result delete_profile_file(const std::string& folder, const std::string& name);

}  // namespace plotwell
