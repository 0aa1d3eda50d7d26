// "Publisher Details": the copyright notice and contact that exports write into the map database.
#pragma once

#include <string>

#include "export/publisher.h"
#include "platform/host.h"

namespace plotwell {

class PublisherDetailsModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Publisher Details";
    static constexpr const char* kLabels[2] = {"Copyright:", "Contact:"};

    explicit PublisherDetailsModel(PublisherInfo& info);
    std::string_view dialog_title() const override { return kTitle; }

    std::string copyright;  // at most 31 characters are kept
    std::string contact;    // multi-line, at most 127 characters are kept

    void load();
    bool ok();  // stores both; the project is not touched

  private:
    PublisherInfo& info_;
};

// Runs "Publisher Details" on the process-wide details; true when OK stored them.
bool run_publisher_dialog(PublisherInfo& info, Host& host);

}  // namespace plotwell
