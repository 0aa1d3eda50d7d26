#include "shapefile/line_linking.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "model/object_storage.h"

namespace plotwell {

namespace {

constexpr int kFirstTable = 0;
constexpr int kLastTable = 1;
constexpr int32_t kNone = -1;

uint64_t point_key(Point p) {
    return (uint64_t(uint32_t(p.x)) << 32) | uint32_t(p.y);
}

// Open-addressing map from an end point to its slot; sized once, since every end a line can take is
// the end of some line from the start.
class PointIndex {
  public:
    explicit PointIndex(size_t expected) {
        size_t cap = 16;
        while (cap < expected * 2) cap <<= 1;
        keys_.assign(cap, 0);
        slots_.assign(cap, kNone);
        mask_ = cap - 1;
    }
    // Slot of the point, created on first use.
    int32_t slot(Point p) {
        const uint64_t key = point_key(p);
        size_t h = size_t((key * 0x9E3779B97F4A7C15ull) >> 20) & mask_;
        while (slots_[h] != kNone) {
            if (keys_[h] == key) return slots_[h];
            h = (h + 1) & mask_;
        }
        keys_[h] = key;
        slots_[h] = count_++;
        return slots_[h];
    }
    int32_t count() const { return count_; }

  private:
    std::vector<uint64_t> keys_;
    std::vector<int32_t> slots_;
    size_t mask_ = 0;
    int32_t count_ = 0;
};

// One end point: per table the newest entry and the clock value of the last entry made there.
struct EndKey {
    int32_t head[2] = {kNone, kNone};
    uint64_t stamp[2] = {0, 0};
};

// A table entry; line i owns entries 2i (first-point table) and 2i + 1 (last-point table).
struct Entry {
    int32_t prev = kNone;
    int32_t next = kNone;
    int32_t key = kNone;  // kNone while not entered
};

// A joined point list, built lazily: a leaf is one original line, an inner node two pieces whose
// meeting point appears once. A piece reference is node index * 2 + reversed flag.
struct Piece {
    int32_t line = kNone;  // leaf: the line whose original points it holds
    int32_t left = kNone;
    int32_t right = kNone;
};

struct Line {
    MapObject* object = nullptr;
    Point first;
    Point last;
    int64_t count = 0;
    int32_t piece = 0;       // reference into the piece list
    uint64_t failed_at = 0;  // clock value of the last visit that found nothing; 0: never visited
    bool deleted = false;
    bool grown = false;
};

class Linker {
  public:
    explicit Linker(std::vector<Line>& lines) : lines_(lines), index_(lines.size() * 2 + 1) {
        entries_.resize(lines.size() * 2);
        pieces_.reserve(lines.size() * 2);
        keys_.reserve(lines.size() * 2);
        for (size_t i = 0; i < lines.size(); ++i) {
            lines_[i].piece = int32_t(pieces_.size()) * 2;
            pieces_.push_back(Piece{int32_t(i), kNone, kNone});
        }
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines_[i].count == 0) continue;
            enter(int32_t(i), kFirstTable, lines_[i].first);
            enter(int32_t(i), kLastTable, lines_[i].last);
        }
    }

    void run() {
        std::vector<int32_t> live;
        for (size_t i = 0; i < lines_.size(); ++i)
            if (lines_[i].count > 0) live.push_back(int32_t(i));
        for (bool joined = true; joined;) {
            joined = false;
            for (int32_t a : live)
                if (!lines_[size_t(a)].deleted && visit(a)) joined = true;
            std::erase_if(live, [&](int32_t i) { return lines_[size_t(i)].deleted; });
        }
    }

    // Writes the points of a line's piece tree in order.
    void materialise(int32_t line, Point* out) const {
        // Stack of piece references; kJunction marks the start of a right-hand piece, whose first point
        // repeats the last point written.
        constexpr int32_t kJunction = -1;
        std::vector<int32_t> stack{lines_[size_t(line)].piece};
        int pending_skip = 0;
        size_t n = 0;
        while (!stack.empty()) {
            const int32_t ref = stack.back();
            stack.pop_back();
            if (ref == kJunction) {
                ++pending_skip;
                continue;
            }
            const Piece& piece = pieces_[size_t(ref / 2)];
            const bool reversed = ref & 1;
            if (piece.line == kNone) {
                // Written first: left, or right when reversed; pushed last.
                const int32_t first = reversed ? piece.right ^ 1 : piece.left;
                const int32_t second = reversed ? piece.left ^ 1 : piece.right;
                stack.push_back(second);
                stack.push_back(kJunction);
                stack.push_back(first);
                continue;
            }
            const MapObject* o = lines_[size_t(piece.line)].object;
            const Point* pts = object_points(o);
            const int32_t count = object_point_count(o);
            for (int32_t k = 0; k < count; ++k) {
                if (pending_skip > 0) {
                    --pending_skip;
                    continue;
                }
                out[n++] = pts[reversed ? count - 1 - k : k];
            }
        }
    }

  private:
    void enter(int32_t line, int table, Point p) {
        const int32_t k = index_.slot(p);
        if (size_t(k) >= keys_.size()) keys_.resize(size_t(k) + 1);
        const int32_t e = line * 2 + table;
        Entry& entry = entries_[size_t(e)];
        EndKey& key = keys_[size_t(k)];
        entry.key = k;
        entry.prev = kNone;
        entry.next = key.head[table];
        if (entry.next != kNone) entries_[size_t(entry.next)].prev = e;
        key.head[table] = e;
        key.stamp[table] = ++clock_;
    }

    void clear(int32_t e) {
        Entry& entry = entries_[size_t(e)];
        if (entry.key == kNone) return;
        const int table = e & 1;
        if (entry.prev != kNone)
            entries_[size_t(entry.prev)].next = entry.next;
        else
            keys_[size_t(entry.key)].head[table] = entry.next;
        if (entry.next != kNone) entries_[size_t(entry.next)].prev = entry.prev;
        entry = Entry();
    }

    // First live line other than `self` entered in `table` at point p, front to back.
    int32_t find(int table, Point p, int32_t self) {
        const int32_t k = index_.slot(p);
        if (size_t(k) >= keys_.size()) return kNone;  // nothing was ever entered there
        int32_t e = keys_[size_t(k)].head[table];
        while (e != kNone) {
            const int32_t next = entries_[size_t(e)].next;
            const int32_t line = e / 2;
            if (lines_[size_t(line)].deleted)
                clear(e);  // a deleted line never comes back: drop its entry on the way
            else if (line != self)
                return line;
            e = next;
        }
        return kNone;
    }

    uint64_t newest_stamp_at(const Line& a) {
        const size_t kf = size_t(index_.slot(a.first));
        const size_t kl = size_t(index_.slot(a.last));
        if (kf >= keys_.size() || kl >= keys_.size()) keys_.resize(std::max(kf, kl) + 1);
        const EndKey& f = keys_[kf];
        const EndKey& l = keys_[kl];
        return std::max({f.stamp[kFirstTable], f.stamp[kLastTable], l.stamp[kLastTable]});
    }

    int32_t join(int32_t left, int32_t right) {
        pieces_.push_back(Piece{kNone, left, right});
        return int32_t(pieces_.size() - 1) * 2;
    }

    bool visit(int32_t ai) {
        Line& a = lines_[size_t(ai)];
        // Nothing was entered at A's ends since A last found no partner: it would find none again.
        if (a.failed_at != 0 && a.failed_at > newest_stamp_at(a)) return false;
        int32_t bi = find(kFirstTable, a.first, ai);
        int kind = 1;
        if (bi == kNone) {
            bi = find(kLastTable, a.first, ai);
            kind = 2;
        }
        if (bi == kNone) {
            bi = find(kLastTable, a.last, ai);
            kind = 3;
        }
        if (bi == kNone) {
            a.failed_at = ++clock_;
            return false;
        }
        Line& b = lines_[size_t(bi)];
        if (kind == 1) {
            b.piece = join(a.piece ^ 1, b.piece);
            b.first = a.last;
            clear(bi * 2 + kFirstTable);
            enter(bi, kFirstTable, b.first);
        } else {
            b.piece = kind == 2 ? join(b.piece, a.piece) : join(b.piece, a.piece ^ 1);
            b.last = kind == 2 ? a.last : a.first;
            clear(bi * 2 + kLastTable);
            enter(bi, kLastTable, b.last);
        }
        b.count += a.count - 1;
        b.grown = true;
        a.deleted = true;
        return true;
    }

    std::vector<Line>& lines_;
    PointIndex index_;
    std::vector<EndKey> keys_;
    std::vector<Entry> entries_;
    std::vector<Piece> pieces_;
    uint64_t clock_ = 0;
};

}  // namespace

MapObject* link_line_segments(MapObject* list) {
    std::vector<Line> lines;
    for (MapObject* o = list; o; o = o->next) {
        Line line;
        line.object = o;
        line.count = has_points(o) ? object_point_count(o) : 0;
        if (line.count < 0 || o->dimension == kDimDeleted) line.count = 0;
        if (line.count > 0) {
            line.first = object_points(o)[0];
            line.last = object_points(o)[line.count - 1];
        }
        lines.push_back(line);
    }
    if (lines.size() < 2) return list;

    Linker linker(lines);
    linker.run();

    // Build every grown line while all original blocks still exist, then swap the blocks.
    std::vector<MapObject*> replaced(lines.size(), nullptr);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (!line.grown || line.deleted || line.count > INT32_MAX) continue;
        MapObject* grown =
            allocate_object(record_size_for(line.object->dimension, line.object->type, line.count));
        if (!grown) continue;  // out of memory: the line keeps its old points
        std::memcpy(&grown->dimension, &line.object->dimension,
                    kObjectGeometryOffset - offsetof(MapObject, dimension));
        set_object_point_count(grown, int32_t(line.count));
        linker.materialise(int32_t(i), object_points(grown));
        replaced[i] = grown;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].deleted) lines[i].object->dimension = kDimDeleted;
        if (replaced[i]) {
            free_object(lines[i].object);
            lines[i].object = replaced[i];
        }
    }
    for (size_t i = 0; i + 1 < lines.size(); ++i) lines[i].object->next = lines[i + 1].object;
    lines.back().object->next = nullptr;
    return lines.front().object;
}

}  // namespace plotwell
