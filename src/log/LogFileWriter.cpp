#include "log/LogFileWriter.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

const LogFileWriter::Texts LogFileWriter::Primary{
    QStringLiteral(" found, appending log records..."), QStringLiteral(" newly created")};
const LogFileWriter::Texts LogFileWriter::Dual{
    QStringLiteral(" found as dual log, appending log records..."),
    QStringLiteral(" dual log newly created")};

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += n;
    }
    return true;
}

// A new file's name is on the disk only once its directory is.
void syncDirectory(const QString &directory)
{
    const int fd =
        ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

QString LogFileWriter::errorText(int error, const QString &what, const QString &path)
{
    return QString::number(error) + QLatin1Char(' ') + qt_error_string(error) + QLatin1Char(' ') +
           what + QLatin1Char(' ') + path;
}

bool LogFileWriter::append(const QString &directory, const QString &fileName, const QString &line,
                           const Texts &texts, const Trace &trace,
                           const std::function<void()> &opened)
{
    auto report = [&](const QString &text) {
        if (trace)
            trace(text);
    };
    QDir().mkpath(directory);
    const QString path = QDir(directory).filePath(fileName);
    const QByteArray native = QFile::encodeName(path);
    const bool existed = QFileInfo::exists(path);

    // Never truncated: O_APPEND keeps every line already in the file.
    const int fd = ::open(native.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        report(errorText(errno, QStringLiteral("cannot open"), path));
    else
        report(path + (existed ? texts.found : texts.created));
    if (opened)
        opened();

    // As without an open file the write fails too, and says so.
    if (!writeAll(fd, (line + QStringLiteral("\r\n")).toUtf8())) {
        report(errorText(errno, QStringLiteral("cannot write"), path));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    if (::fsync(fd) != 0) {
        report(errorText(errno, QStringLiteral("cannot flush to disk"), path));
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        report(errorText(errno, QStringLiteral("cannot close"), path));
        return false;
    }
    if (!existed)
        syncDirectory(directory);
    return true;
}
