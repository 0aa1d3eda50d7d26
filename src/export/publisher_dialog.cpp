#include "export/publisher_dialog.h"

#include "model/text.h"

namespace plotwell {

PublisherDetailsModel::PublisherDetailsModel(PublisherInfo& info) : info_(info) {
    load();
}

void PublisherDetailsModel::load() {
    copyright = field_text(info_.publisher_notice);
    contact = field_text(info_.contact);
}

bool PublisherDetailsModel::ok() {
    set_field(info_.publisher_notice, copyright);
    set_field(info_.contact, contact);
    return true;
}

bool run_publisher_dialog(PublisherInfo& info, Host& host) {
    PublisherDetailsModel model(info);
    return host.run_dialog(model) == 1;
}

}  // namespace plotwell
