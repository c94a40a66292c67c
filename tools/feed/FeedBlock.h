#pragma once

#include <QByteArray>

#include <chrono>

// One burst of a replayed device: the bytes sent back to back, after a pause.
struct FeedBlock {
    std::chrono::milliseconds pauseBefore{0};
    QByteArray bytes;
};
