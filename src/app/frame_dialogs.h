// The two dialogs of the program frame: "Publisher Details" edits the publisher details kept for the
// run, "About Plotwell" names the program and its version. The toolkit shows them; these models hold
// what the dialogs show and store.
#pragma once

#include <string>
#include <string_view>

#include "app/publisher.h"
#include "platform/host.h"

namespace plotwell {

inline constexpr const char* kVersionText = "Plotwell ver 2.4";
inline constexpr const char* kEditionText = "Desktop edition";

class PublisherDetailsModel final : public DialogModel {
  public:
    // The edit fields start with the details as they are now.
    explicit PublisherDetailsModel(PublisherInfo& info);
    std::string_view dialog_title() const override { return "Publisher Details"; }

    // The fields' limits: what the record can hold without its terminator.
    static constexpr size_t kNoticeLimit = kPublisherNoticeSize - 1;  // "Copyright:"
    static constexpr size_t kContactLimit = kContactSize - 1;         // "Contact:", several lines

    std::string notice;
    std::string contact;

    // OK: both fields into the details, each cut to its limit. The project is not touched.
    void store() const;

  private:
    PublisherInfo& info_;
};

class AboutModel final : public DialogModel {
  public:
    std::string_view dialog_title() const override { return "About Plotwell"; }
    std::string_view version_text() const { return kVersionText; }
    std::string_view edition_text() const { return kEditionText; }
};

}  // namespace plotwell
