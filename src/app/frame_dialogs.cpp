#include "app/frame_dialogs.h"

#include "model/text.h"

namespace plotwell {

PublisherDetailsModel::PublisherDetailsModel(PublisherInfo& info)
    : notice(field_text(info.publisher_notice)), contact(field_text(info.contact)), info_(info) {}

void PublisherDetailsModel::store() const {
    set_field(info_.publisher_notice, notice.substr(0, kNoticeLimit));
    set_field(info_.contact, contact.substr(0, kContactLimit));
}

}  // namespace plotwell
