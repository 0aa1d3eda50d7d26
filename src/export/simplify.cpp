#include "export/simplify.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <utility>

namespace plotwell {

namespace {
double square_distance(ScaledPoint a, ScaledPoint b) {
    const double dx = double(a.x) - b.x, dy = double(a.y) - b.y;
    return dx * dx + dy * dy;
}

// Squared distance of p from the segment a-b (from a when the segment has no length).
double segment_distance(ScaledPoint p, ScaledPoint a, ScaledPoint b) {
    const double vx = double(b.x) - a.x, vy = double(b.y) - a.y;
    const double wx = double(p.x) - a.x, wy = double(p.y) - a.y;
    const double len = vx * vx + vy * vy;
    if (len == 0) return wx * wx + wy * wy;
    const double t = std::clamp((wx * vx + wy * vy) / len, 0.0, 1.0);
    const double dx = wx - t * vx, dy = wy - t * vy;
    return dx * dx + dy * dy;
}

// Marks the points of p[from..to] that Douglas–Peucker keeps; the ends are marked by the caller. An
// explicit stack: outlines of many thousand points would run a recursion deep.
void mark_kept(const Outline& p, size_t from, size_t to, double tolerance, std::vector<char>& keep) {
    const double limit = tolerance * tolerance;
    std::vector<std::pair<size_t, size_t>> spans{{from, to}};
    while (!spans.empty()) {
        const auto [a, b] = spans.back();
        spans.pop_back();
        double worst = -1;
        size_t at = a;
        for (size_t i = a + 1; i < b; ++i) {
            const double d = segment_distance(p[i], p[a], p[b]);
            if (d > worst) worst = d, at = i;
        }
        if (at == a || worst <= limit) continue;
        keep[at] = 1;
        spans.emplace_back(a, at);
        spans.emplace_back(at, b);
    }
}

Outline kept_points(const Outline& p, const std::vector<char>& keep, size_t count) {
    Outline out;
    for (size_t i = 0; i < count; ++i)
        if (keep[i]) out.push_back(p[i]);
    return out;
}

// The last resort for a ring that came out with fewer than 3 distinct points: its first point, the point
// farthest from it and the point farthest from the line between them, in ring order.
Outline widest_triangle(const Outline& p) {
    size_t a = 0;
    for (size_t i = 1; i < p.size(); ++i)
        if (square_distance(p[i], p[0]) > square_distance(p[a], p[0])) a = i;
    size_t b = 0;
    double best = -1;
    for (size_t i = 1; i < p.size(); ++i) {
        if (p[i] == p[0] || p[i] == p[a]) continue;
        const double d = segment_distance(p[i], p[0], p[a]);
        if (d > best) best = d, b = i;
    }
    Outline out{p[0], p[std::min(a, b)], p[std::max(a, b)]};
    return out;
}

Outline keep_valid_ring(const Outline& original, Outline simplified) {
    if (distinct_point_count(simplified) >= 3) return simplified;
    if (distinct_point_count(original) >= 3) return widest_triangle(original);
    // It never had 3 distinct points: each of them once, and still a first and a last point.
    Outline out;
    for (ScaledPoint p : original)
        if (std::find(out.begin(), out.end(), p) == out.end()) out.push_back(p);
    if (out.size() < 2) out.push_back(original.back());
    return out;
}

// Twice the area of the triangle a-b-c.
double triangle_area(ScaledPoint a, ScaledPoint b, ScaledPoint c) {
    return std::abs((double(b.x) - a.x) * (double(c.y) - a.y) - (double(c.x) - a.x) * (double(b.y) - a.y));
}
}  // namespace

size_t distinct_point_count(const Outline& points) {
    std::vector<uint32_t> keys;
    keys.reserve(points.size());
    for (ScaledPoint p : points) keys.push_back(uint32_t(p.x) << 16 | p.y);
    std::sort(keys.begin(), keys.end());
    return size_t(std::unique(keys.begin(), keys.end()) - keys.begin());
}

double ring_area(const Outline& p) {
    double sum = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const ScaledPoint a = p[i], b = p[(i + 1) % p.size()];
        sum += double(a.x) * b.y - double(b.x) * a.y;
    }
    return std::abs(sum) / 2;
}

Outline simplify_line(const Outline& points, double tolerance) {
    if (points.size() < 3) return points;
    std::vector<char> keep(points.size(), 0);
    keep.front() = keep.back() = 1;
    mark_kept(points, 0, points.size() - 1, tolerance, keep);
    return kept_points(points, keep, points.size());
}

Outline simplify_ring(const Outline& points, double tolerance) {
    if (points.size() < 4) return points;
    // Split the closed ring at its first point and the point farthest from it.
    size_t far = 0;
    for (size_t i = 1; i < points.size(); ++i)
        if (square_distance(points[i], points[0]) > square_distance(points[far], points[0])) far = i;
    if (far == 0) return points;
    Outline closed = points;
    closed.push_back(points[0]);
    std::vector<char> keep(closed.size(), 0);
    keep[0] = keep[far] = 1;
    mark_kept(closed, 0, far, tolerance, keep);
    mark_kept(closed, far, closed.size() - 1, tolerance, keep);
    return keep_valid_ring(points, kept_points(closed, keep, points.size()));
}

Outline reduce_ring(const Outline& points, size_t max_points) {
    max_points = std::max<size_t>(max_points, 3);
    const size_t n = points.size();
    if (n <= max_points) return points;
    std::vector<size_t> prev(n), next(n);
    std::vector<double> area(n);
    for (size_t i = 0; i < n; ++i) {
        prev[i] = (i + n - 1) % n;
        next[i] = (i + 1) % n;
    }
    using Entry = std::pair<double, size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    // The first point stays: it is where the ring starts in the file.
    for (size_t i = 1; i < n; ++i) {
        area[i] = triangle_area(points[prev[i]], points[i], points[next[i]]);
        queue.emplace(area[i], i);
    }
    std::vector<char> gone(n, 0);
    size_t left = n;
    while (left > max_points && !queue.empty()) {
        const auto [a, i] = queue.top();
        queue.pop();
        if (gone[i] || a != area[i]) continue;  // stale entry
        gone[i] = 1;
        --left;
        const size_t p = prev[i], q = next[i];
        next[p] = q;
        prev[q] = p;
        // A neighbour never gets less area than the point just removed, so the order stays sound.
        for (size_t k : {p, q}) {
            if (k == 0) continue;
            area[k] = std::max(a, triangle_area(points[prev[k]], points[k], points[next[k]]));
            queue.emplace(area[k], k);
        }
    }
    Outline out;
    for (size_t i = 0; i < n; ++i)
        if (!gone[i]) out.push_back(points[i]);
    return keep_valid_ring(points, std::move(out));
}

}  // namespace plotwell
