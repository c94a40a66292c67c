#pragma once

#include "gps/NavFormula.h"

#include <QtGlobal>

#include <utility>
#include <vector>

// A k-d tree over the cameras as points on the unit sphere: the straight-line (chord)
// distance between two such points grows with their central angle, so near cameras are
// found without measuring every one. Coordinates are kept as floats; callers allow a
// margin of 1e-6 on chords for their rounding.
class CameraIndex {
public:
    struct Vec {
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
    };
    using Hit = std::pair<double, quint32>; // squared chord, position in the table

    CameraIndex() = default;
    explicit CameraIndex(const std::vector<NavFormula::Point> &points);

    static Vec unitVector(const NavFormula::Point &p);
    static double chordOfAngle(double radians);
    static double angleOfChord(double chord);

    size_t size() const { return m_nodes.size(); }
    // Appends the position of every point within the chord of q, in no particular order.
    void within(const Vec &q, double chord, std::vector<quint32> &out) const;
    // The k points nearest to q, nearest first.
    void nearest(const Vec &q, size_t k, std::vector<Hit> &out) const;

private:
    struct Node {
        float c[3]; // x, y, z
        quint32 index;
    };
    static constexpr size_t LeafSize = 8;

    void build(size_t lo, size_t hi);
    void within(size_t lo, size_t hi, const Vec &q, double chord2, std::vector<quint32> &out) const;
    void nearest(size_t lo, size_t hi, const Vec &q, size_t k, std::vector<Hit> &heap) const;
    static double distance2(const Node &n, const Vec &q);
    static double coordinate(const Vec &v, int axis);

    std::vector<Node> m_nodes;
    std::vector<quint8> m_axis; // split axis of the node at each middle position
};
