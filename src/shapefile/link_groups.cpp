#include "shapefile/line_linking.h"

namespace plotwell {

int link_group_bucket(std::string_view key) {
    int sum = 0;
    for (char c : key) sum += int(static_cast<signed char>(c));
    const int bucket = sum % kLinkGroupBuckets;
    return bucket < 0 ? bucket + kLinkGroupBuckets : bucket;
}

LinkGroup* find_link_group(LinkGroupTable& table, std::string_view key) {
    const auto it = table.by_key.find(std::string(key));
    return it == table.by_key.end() ? nullptr : it->second;
}

LinkGroup* add_link_group(LinkGroupTable& table, std::string_view key) {
    auto group = std::make_unique<LinkGroup>();
    group->key = std::string(key.substr(0, kMaxLinkKey));
    const int bucket = link_group_bucket(group->key);
    group->next_in_bucket = table.buckets[bucket];
    table.buckets[bucket] = group.get();
    table.by_key[group->key] = group.get();
    table.groups.push_back(std::move(group));
    return table.groups.back().get();
}

std::vector<LinkGroup*> link_groups_in_order(const LinkGroupTable& table) {
    std::vector<LinkGroup*> order;
    order.reserve(table.groups.size());
    for (LinkGroup* head : table.buckets)
        for (LinkGroup* g = head; g; g = g->next_in_bucket) order.push_back(g);
    return order;
}

void clear_link_groups(LinkGroupTable& table) {
    for (LinkGroup*& head : table.buckets) head = nullptr;
    table.by_key.clear();
    table.groups.clear();
}

}  // namespace plotwell
