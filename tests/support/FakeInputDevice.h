#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/input.h>
#include <sys/socket.h>
#include <unistd.h>

#include <initializer_list>
#include <utility>
#include <vector>

// The kernel's side of an input device: a socket whose other end the knob reads.
class FakeInputDevice {
public:
    FakeInputDevice()
    {
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) == 0) {
            m_kernel = fds[0];
            m_handed = fds[1];
        }
    }
    ~FakeInputDevice() { unplug(); }
    FakeInputDevice(const FakeInputDevice &) = delete;
    FakeInputDevice &operator=(const FakeInputDevice &) = delete;

    // Hands the knob its end, once.
    int open(int flags)
    {
        const int fd = std::exchange(m_handed, -1);
        if (fd >= 0 && (flags & O_NONBLOCK))
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        return fd;
    }
    void send(std::initializer_list<input_event> records) const
    {
        for (const input_event &e : records)
            ASSERT_EQ(::write(m_kernel, &e, sizeof e), ssize_t(sizeof e));
    }
    // The LED commands the knob wrote.
    std::vector<int> leds() const
    {
        std::vector<int> values;
        input_event e{};
        while (::recv(m_kernel, &e, sizeof e, MSG_DONTWAIT) == ssize_t(sizeof e)) {
            if (e.type == EV_MSC && e.code == MSC_PULSELED)
                values.push_back(e.value);
        }
        return values;
    }
    void unplug()
    {
        if (m_kernel >= 0)
            ::close(m_kernel);
        if (m_handed >= 0)
            ::close(m_handed);
        m_kernel = m_handed = -1;
    }

private:
    int m_kernel = -1;
    int m_handed = -1;
};

// One record as the kernel writes it, at ms since the epoch of the device's clock.
inline input_event inputRecord(int type, int code, int value, long long ms = 0)
{
    input_event e{};
    e.input_event_sec = decltype(e.input_event_sec)(ms / 1000);
    e.input_event_usec = decltype(e.input_event_usec)((ms % 1000) * 1000);
    e.type = static_cast<unsigned short>(type);
    e.code = static_cast<unsigned short>(code);
    e.value = value;
    return e;
}
