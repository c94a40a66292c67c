#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

struct addrinfo;

// A host name looked up off the event loop's thread: a name server that doesn't answer would
// otherwise hold the screen for its whole timeout, at every try. A lookup can't be stopped
// once asked; one nobody wants any more (or whose owner has gone) ends unheard. A numeric
// address needs no name server and is known when start() returns.
class HostLookup : public QObject {
public:
    // getaddrinfo's shape, so that tests can stand in for a slow or failing name server.
    using Resolver = std::function<int(const char *host, const char *service, const addrinfo &hints,
                                       addrinfo **found)>;
    using Addresses = std::shared_ptr<const addrinfo>;
    struct Result {
        int error = 0; // getaddrinfo's code, 0 when found
        Addresses addresses;
    };
    using Done = std::function<void(const Result &)>;

    explicit HostLookup(Resolver resolver = {});
    ~HostLookup() override;
    HostLookup(const HostLookup &) = delete;
    HostLookup &operator=(const HostLookup &) = delete;

    // Looks host and service up for TCP. A numeric address is answered at once; for a name
    // done() tells the answer from the event loop, and nothing is returned. While a lookup
    // of the same is still out, its answer is taken instead of asking again.
    std::optional<Result> start(const QByteArray &host, const QByteArray &service, Done done);
    // The answer under way goes unheard.
    void forget() { m_done = nullptr; }
    bool waiting() const { return bool(m_done); }

private:
    struct Shared;

    void answered(const QByteArray &asked, const Result &result);

    Resolver m_resolver;
    std::shared_ptr<Shared> m_shared;
    QByteArray m_asked; // host and service of the lookup out, empty when none is
    Done m_done;
};
