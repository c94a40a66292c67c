#include "core/CommandKey.h"
#include "platform/KnobDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <linux/input.h>
#include <memory>

// Any bytes as read from an input device, the long-press timer firing where the first
// byte says. Besides not crashing: only R, L, C and Q come out, never more than the
// per-record bound for one record, and one press gives at most one of C and Q.
namespace {

class Timer : public IntervalTimer {
public:
    void setHandler(Handler handler) override { m_handler = std::move(handler); }
    void start(int ms) override { m_interval = ms, m_active = true; }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int interval() const override { return m_interval; }
    void fire()
    {
        if (m_active && m_handler)
            m_handler();
    }

private:
    Handler m_handler;
    int m_interval = 0;
    bool m_active = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    Timer *timer = nullptr;
    int presses = 0;
    size_t keys = 0;
    KnobDecoder decoder(
        600,
        [&timer] {
            auto t = std::make_unique<Timer>();
            timer = t.get();
            return std::unique_ptr<IntervalTimer>(std::move(t));
        },
        [&](quint16 key) {
            ++keys;
            if (key == CommandKey::C || key == CommandKey::Q)
                ++presses;
            else if (key != CommandKey::R && key != CommandKey::L)
                std::abort();
        });
    const size_t fireAt = data[0];
    const char *bytes = reinterpret_cast<const char *>(data) + 1;
    const size_t count = size - 1;
    size_t records = 0;
    for (size_t i = 0; i < count; i += 7) {
        const size_t piece = std::min<size_t>(7, count - i);
        decoder.feedBytes(bytes + i, qsizetype(piece));
        if (i / 7 == fireAt)
            timer->fire();
        records = (i + piece) / sizeof(input_event);
    }
    if (keys > (records + 1) * size_t(KnobDecoder::MaxKeysPerRecord))
        std::abort();
    if (presses > int(records))
        std::abort();
    return 0;
}
