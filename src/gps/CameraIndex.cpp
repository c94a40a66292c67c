#include "gps/CameraIndex.h"

#include <algorithm>
#include <cmath>
#include <numbers>

CameraIndex::CameraIndex(const std::vector<NavFormula::Point> &points)
{
    m_nodes.reserve(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const Vec v = unitVector(points[i]);
        m_nodes.push_back({{float(v.x), float(v.y), float(v.z)}, quint32(i)});
    }
    m_axis.assign(m_nodes.size(), 0);
    build(0, m_nodes.size());
}

CameraIndex::Vec CameraIndex::unitVector(const NavFormula::Point &p)
{
    return {p.cosLat * std::cos(p.lon), p.cosLat * std::sin(p.lon), p.sinLat};
}

double CameraIndex::chordOfAngle(double radians)
{
    return 2.0 * std::sin(std::clamp(radians, 0.0, std::numbers::pi) / 2.0);
}

double CameraIndex::angleOfChord(double chord)
{
    return 2.0 * std::asin(std::clamp(chord / 2.0, 0.0, 1.0));
}

double CameraIndex::coordinate(const Vec &v, int axis)
{
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

double CameraIndex::distance2(const Node &n, const Vec &q)
{
    const double dx = n.c[0] - q.x;
    const double dy = n.c[1] - q.y;
    const double dz = n.c[2] - q.z;
    return dx * dx + dy * dy + dz * dz;
}

// Splits each range at its median along the axis of widest spread.
void CameraIndex::build(size_t lo, size_t hi)
{
    if (hi - lo <= LeafSize)
        return;
    float low[3] = {2, 2, 2};
    float high[3] = {-2, -2, -2};
    for (size_t i = lo; i < hi; ++i) {
        for (int a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], m_nodes[i].c[a]);
            high[a] = std::max(high[a], m_nodes[i].c[a]);
        }
    }
    int axis = 0;
    for (int a = 1; a < 3; ++a) {
        if (high[a] - low[a] > high[axis] - low[axis])
            axis = a;
    }
    const size_t mid = lo + (hi - lo) / 2;
    std::nth_element(m_nodes.begin() + qsizetype(lo), m_nodes.begin() + qsizetype(mid),
                     m_nodes.begin() + qsizetype(hi),
                     [axis](const Node &a, const Node &b) { return a.c[axis] < b.c[axis]; });
    m_axis[mid] = quint8(axis);
    build(lo, mid);
    build(mid + 1, hi);
}

void CameraIndex::within(const Vec &q, double chord, std::vector<quint32> &out) const
{
    within(0, m_nodes.size(), q, chord * chord, out);
}

void CameraIndex::within(size_t lo, size_t hi, const Vec &q, double chord2,
                         std::vector<quint32> &out) const
{
    if (hi - lo <= LeafSize) {
        for (size_t i = lo; i < hi; ++i) {
            if (distance2(m_nodes[i], q) <= chord2)
                out.push_back(m_nodes[i].index);
        }
        return;
    }
    const size_t mid = lo + (hi - lo) / 2;
    const Node &node = m_nodes[mid];
    if (distance2(node, q) <= chord2)
        out.push_back(node.index);
    const int axis = m_axis[mid];
    const double diff = coordinate(q, axis) - node.c[axis];
    const bool far = diff * diff <= chord2;
    if (diff <= 0.0 || far)
        within(lo, mid, q, chord2, out);
    if (diff >= 0.0 || far)
        within(mid + 1, hi, q, chord2, out);
}

void CameraIndex::nearest(const Vec &q, size_t k, std::vector<Hit> &out) const
{
    out.clear();
    if (k == 0)
        return;
    nearest(0, m_nodes.size(), q, k, out);
    std::sort_heap(out.begin(), out.end());
}

// out is a max-heap of the best k so far.
void CameraIndex::nearest(size_t lo, size_t hi, const Vec &q, size_t k,
                          std::vector<Hit> &heap) const
{
    auto offer = [&](const Node &n) {
        const double d2 = distance2(n, q);
        if (heap.size() < k) {
            heap.emplace_back(d2, n.index);
            std::push_heap(heap.begin(), heap.end());
        } else if (d2 < heap.front().first) {
            std::pop_heap(heap.begin(), heap.end());
            heap.back() = {d2, n.index};
            std::push_heap(heap.begin(), heap.end());
        }
    };
    if (hi - lo <= LeafSize) {
        for (size_t i = lo; i < hi; ++i)
            offer(m_nodes[i]);
        return;
    }
    const size_t mid = lo + (hi - lo) / 2;
    const Node &node = m_nodes[mid];
    offer(node);
    const int axis = m_axis[mid];
    const double diff = coordinate(q, axis) - node.c[axis];
    const bool leftFirst = diff <= 0.0;
    nearest(leftFirst ? lo : mid + 1, leftFirst ? mid : hi, q, k, heap);
    if (heap.size() < k || diff * diff < heap.front().first)
        nearest(leftFirst ? mid + 1 : lo, leftFirst ? hi : mid, q, k, heap);
}
