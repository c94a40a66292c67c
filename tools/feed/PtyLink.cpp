#include "PtyLink.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError(const QString &what)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

PtyLink::PtyLink(QString linkPath) : m_link(std::move(linkPath)) {}

PtyLink::~PtyLink()
{
    removeLink();
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyLink::open() { return makeTerminal() && makeLink(); }

bool PtyLink::makeTerminal()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        m_error = systemError(QStringLiteral("pseudo-terminal"));
        return false;
    }
    char name[256] = {};
    if (::ptsname_r(m_master, name, sizeof name) != 0) {
        m_error = systemError(QStringLiteral("pseudo-terminal name"));
        return false;
    }
    m_terminal = QString::fromLocal8Bit(name);
    // Plain bytes from the start, so nothing is echoed or translated before the program
    // sets the line up itself.
    termios raw{};
    if (::tcgetattr(m_master, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(m_master, TCSANOW, &raw);
    }
    // Once opened and closed, the master reports a hang-up while nobody holds the
    // terminal side: that is how send() knows whether anyone listens.
    const int terminal = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) {
        m_error = systemError(m_terminal);
        return false;
    }
    ::close(terminal);
    return true;
}

bool PtyLink::makeLink()
{
    const QByteArray link = QFile::encodeName(m_link);
    struct stat st {};
    // A link left by a feed that was killed is replaced; anything else is not ours.
    if (::lstat(link.constData(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        m_error = m_link + QStringLiteral(" exists and is not a symbolic link");
        return false;
    }
    // Made under a temporary name and renamed over the old one, so the name always
    // leads somewhere.
    const QByteArray temporary = link + ".new" + QByteArray::number(::getpid());
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(m_terminal).constData(), temporary.constData()) != 0 ||
        ::rename(temporary.constData(), link.constData()) != 0) {
        m_error = systemError(m_link);
        ::unlink(temporary.constData());
        return false;
    }
    m_linked = true;
    return true;
}

void PtyLink::removeLink()
{
    if (!m_linked)
        return;
    m_linked = false;
    const QByteArray link = QFile::encodeName(m_link);
    char target[512] = {};
    const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
    if (n > 0 && QFile::decodeName(QByteArray(target, n)) == m_terminal)
        ::unlink(link.constData());
}

bool PtyLink::listening()
{
    pollfd p{m_master, POLLOUT, 0};
    const bool now = ::poll(&p, 1, 0) >= 0 && !(p.revents & POLLHUP);
    if (m_listening && !now)
        discardStale();
    m_listening = now;
    return now;
}

// What the last program left unread would reach the next one first; a serial line
// keeps nothing from before it was opened.
void PtyLink::discardStale() const
{
    const int terminal = ::open(QFile::encodeName(m_terminal).constData(),
                                O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (terminal < 0)
        return;
    ::tcflush(terminal, TCIFLUSH);
    ::close(terminal);
}

void PtyLink::send(QByteArrayView bytes)
{
    if (!listening()) {
        m_unheard += bytes.size();
        discardReplies();
        return;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.data() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    m_dropped += bytes.size() - done;
    discardReplies();
}

// The program never talks back to a GPS receiver or the CAN adapter; whatever it writes
// is read and thrown away so that it can't fill the line.
void PtyLink::discardReplies()
{
    char buffer[512];
    while (::read(m_master, buffer, sizeof buffer) > 0) {
    }
}
