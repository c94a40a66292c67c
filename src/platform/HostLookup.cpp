#include "platform/HostLookup.h"

#include <mutex>
#include <netdb.h>
#include <sys/socket.h>
#include <system_error>
#include <thread>

// What the lookup thread and its owner share: the thread posts its answer only while the
// owner is there to take it.
struct HostLookup::Shared {
    std::mutex mutex;
    HostLookup *owner = nullptr;
};

namespace {

addrinfo tcpHints(int flags)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC; // "localhost" is often ::1 and 127.0.0.1
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = flags;
    return hints;
}

int systemResolver(const char *host, const char *service, const addrinfo &hints, addrinfo **found)
{
    return ::getaddrinfo(host, service, &hints, found);
}

HostLookup::Result resolve(const HostLookup::Resolver &resolver, const QByteArray &host,
                           const QByteArray &service, const addrinfo &hints)
{
    addrinfo *found = nullptr;
    const int error = resolver(host.constData(), service.constData(), hints, &found);
    if (error != 0 || !found)
        return {error != 0 ? error : EAI_NONAME, {}};
    return {0, HostLookup::Addresses(found, ::freeaddrinfo)};
}

} // namespace

HostLookup::HostLookup(Resolver resolver)
    : m_resolver(std::move(resolver)), m_shared(std::make_shared<Shared>())
{
    if (!m_resolver)
        m_resolver = systemResolver;
    m_shared->owner = this;
}

HostLookup::~HostLookup()
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->owner = nullptr;
}

std::optional<HostLookup::Result> HostLookup::start(const QByteArray &host,
                                                    const QByteArray &service, Done done)
{
    const QByteArray asked = host + '\n' + service;
    // A numeric address is read, not looked up: no thread for the common case.
    if (const Result numeric = resolve(systemResolver, host, service, tcpHints(AI_NUMERICHOST));
        numeric.error != EAI_NONAME) {
        m_done = nullptr;
        return numeric;
    }
    m_done = std::move(done);
    if (m_asked == asked)
        return std::nullopt; // the one out answers this too
    try {
        std::thread([shared = m_shared, resolver = m_resolver, host, service, asked] {
            const Result result = resolve(resolver, host, service, tcpHints(0));
            const std::lock_guard lock(shared->mutex);
            if (HostLookup *owner = shared->owner)
                QMetaObject::invokeMethod(
                    owner, [owner, asked, result] { owner->answered(asked, result); },
                    Qt::QueuedConnection);
        }).detach();
    } catch (const std::system_error &) {
        m_done = nullptr;
        return Result{EAI_AGAIN, {}}; // no thread to be had: as a name server that is busy
    }
    m_asked = asked;
    return std::nullopt;
}

void HostLookup::answered(const QByteArray &asked, const Result &result)
{
    if (asked != m_asked)
        return; // an older lookup of another host
    m_asked.clear();
    if (Done done = std::exchange(m_done, nullptr))
        done(result);
}
