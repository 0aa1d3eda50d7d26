// "Link Object": the basename of the map a LINK point leads to, kept in its name.
#pragma once

#include <string>

#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

class LinkObjectModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Link Object";
    static constexpr const char* kLabel = "Target map basename:";

    explicit LinkObjectModel(MapObject& link);
    std::string_view dialog_title() const override { return kTitle; }

    std::string target;

    void load();
    bool ok();

  private:
    MapObject& link_;
};

}  // namespace plotwell
