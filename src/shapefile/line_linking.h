// Joining the line segments of one link group end to end, and the table of link groups.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/records.h"

namespace plotwell {

// Joins lines whose ends meet. The list is walked in passes until a pass joins nothing; for each live
// line A in list order the first of these joins is made, looking for a live line B other than A, most
// recently entered first among the lines at that point:
//   1. B starts where A starts: B becomes A reversed followed by B without its first point;
//   2. B ends where A starts:   B becomes B followed by A without its first point;
//   3. B ends where A ends:     B becomes B followed by A reversed without its last point.
// A is then marked deleted (dimension 255) and stays in the list; B keeps its name, type and place.
// Returns the list with the same order; blocks of grown lines are replaced (the old blocks are freed),
// so the caller must use the returned list. Lines without points take no part.
//
// Done literally, with hash buckets of ends and whole passes, this costs a walk over every bucket entry
// at an end and over the whole list per round; here each end is an exact key with its entries in
// the same order, deleted entries leave their key as they are met, a line is probed again only when
// something new arrived at one of its ends, and joined point lists are concatenated lazily, so that
// one group of 200,000 segments links in near-linear time with exactly the same result.
MapObject* link_line_segments(MapObject* list);

inline constexpr int kLinkGroupBuckets = 8192;
inline constexpr int kMaxLinkKey = 1023;

struct LinkGroup {
    std::string key;
    MapObject* objects = nullptr;  // newest first, linked through MapObject::next
    LinkGroup* next_in_bucket = nullptr;
};

// Groups hang in 8192 buckets (new groups at the front) which fix the order the linking visits them;
// a key index finds a group without walking its bucket, since keys made of digits crowd few buckets.
struct LinkGroupTable {
    LinkGroup* buckets[kLinkGroupBuckets] = {};
    std::vector<std::unique_ptr<LinkGroup>> groups;
    std::unordered_map<std::string, LinkGroup*> by_key;
};

// Sum of the key's bytes taken as signed 8-bit values, brought into 0..8191.
int link_group_bucket(std::string_view key);
LinkGroup* find_link_group(LinkGroupTable& table, std::string_view key);
LinkGroup* add_link_group(LinkGroupTable& table, std::string_view key);
// Every group, bucket 0 to 8191 and front to back within a bucket.
std::vector<LinkGroup*> link_groups_in_order(const LinkGroupTable& table);
// Releases the groups (not their objects).
void clear_link_groups(LinkGroupTable& table);

}  // namespace plotwell
