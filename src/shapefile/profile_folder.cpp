#include "shapefile/profile_folder.h"

#include <algorithm>
#include <filesystem>
#include <span>
#include <system_error>

#include "model/file_commit.h"

namespace plotwell {

namespace {
namespace fs = std::filesystem;
constexpr const char* kExtension = ".profile";
constexpr size_t kMaxProfileName = 64;
}  // namespace

std::string profile_folder_in(const std::string& config_folder) {
    return config_folder.empty() ? std::string() : (fs::path(config_folder) / "import-profiles").string();
}

std::vector<std::string> list_profiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) return names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p.extension() == kExtension && it->is_regular_file(ec) && check_profile_name(p.stem()).ok)
            names.push_back(p.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

Result check_profile_name(const std::string& name) {
    if (name.empty()) return failure("Enter a name for the profile");
    if (name.size() > kMaxProfileName) return failure("A profile name holds at most 64 characters");
    if (name[0] == '.') return failure("A profile name cannot start with '.'");
    for (const char c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
            return failure("A profile name cannot hold '/', '\\' or control characters");
    return success();
}

std::string profile_path(const std::string& folder, const std::string& name) {
    return (fs::path(folder) / (name + kExtension)).string();
}

Result save_profile(const std::string& folder, const std::string& name, const std::string& text) {
    if (Result r = check_profile_name(name); !r.ok) return r;
    if (folder.empty()) return failure("There is no configuration folder to keep profiles in");
    std::error_code ec;
    fs::create_directories(folder, ec);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (ec || !commit_file(profile_path(folder, name), std::span(bytes, text.size())))
        return failure("Cannot write the profile to " + folder);
    return success();
}

Result delete_profile_file(const std::string& folder, const std::string& name) {
    std::error_code ec;
    if (check_profile_name(name).ok && !folder.empty() && fs::remove(profile_path(folder, name), ec))
        return success();
    return failure("Cannot delete the profile " + name);
}

}  // namespace plotwell
