// "About Plotwell": the program's name and version.
#pragma once

#include "platform/host.h"

namespace plotwell {

class AboutModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "About Plotwell";
    static constexpr const char* kVersion = "Plotwell ver 2.4";
    static constexpr const char* kEdition = "Desktop Edition";
    std::string_view dialog_title() const override { return kTitle; }
};

}  // namespace plotwell
