#pragma once

#include <QByteArrayView>

// Where the replayed bytes go: the far end of the pseudo-terminal, or a test's recorder.
class FeedSink {
public:
    virtual ~FeedSink() = default;
    virtual void send(QByteArrayView bytes) = 0;
};
