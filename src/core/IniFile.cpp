#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isBlank(const QByteArray &raw) { return raw.trimmed().isEmpty(); }

QString unquote(QString value)
{
    if (value.size() >= 2 && ((value.startsWith('"') && value.endsWith('"')) ||
                              (value.startsWith('\'') && value.endsWith('\''))))
        return value.mid(1, value.size() - 2);
    return value;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

IniFile::IniFile(const QByteArray &bytes)
{
    if (bytes.contains("\r\n"))
        m_eol = "\r\n";
    m_finalEol = bytes.isEmpty() || bytes.endsWith('\n');
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray raw = bytes.mid(start, end - start);
        if (raw.endsWith('\r'))
            raw.chop(1);
        m_lines.push_back(parseLine(raw));
        start = end + 1;
    }
}

IniFile IniFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IniFile();
    return IniFile(file.readAll());
}

IniFile::Line IniFile::parseLine(const QByteArray &raw)
{
    Line line{raw, Kind::Other, {}};
    const QByteArray trimmed = raw.trimmed();
    if (trimmed.startsWith('[')) {
        const qsizetype close = trimmed.indexOf(']');
        if (close > 0) {
            line.kind = Kind::Section;
            line.name = QString::fromUtf8(trimmed.mid(1, close - 1)).trimmed();
        }
        return line;
    }
    if (trimmed.startsWith(';') || trimmed.startsWith('#'))
        return line;
    const qsizetype eq = trimmed.indexOf('=');
    if (eq > 0) {
        line.kind = Kind::Key;
        line.name = QString::fromUtf8(trimmed.left(eq)).trimmed();
    }
    return line;
}

int IniFile::findSection(const QString &section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Kind::Section && line.name.compare(section, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString &key) const
{
    for (size_t i = size_t(sectionLine) + 1; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Kind::Section)
            break;
        if (line.kind == Kind::Key && line.name.compare(key, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int IniFile::sectionInsertPoint(int sectionLine) const
{
    int last = sectionLine;
    for (size_t i = size_t(sectionLine) + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section)
            break;
        if (!isBlank(m_lines[i].raw))
            last = int(i);
    }
    return last + 1;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const int s = findSection(section);
    if (s < 0)
        return std::nullopt;
    const int k = findKey(s, key);
    if (k < 0)
        return std::nullopt;
    const QByteArray &raw = m_lines[size_t(k)].raw;
    const QByteArray text = raw.mid(raw.indexOf('=') + 1).trimmed();
    return unquote(QString::fromUtf8(text));
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QByteArray keyLine = key.toUtf8() + '=' + value.toUtf8();
    int s = findSection(section);
    if (s < 0) {
        m_lines.push_back(Line{'[' + section.toUtf8() + ']', Kind::Section, section});
        m_lines.push_back(Line{keyLine, Kind::Key, key});
        m_finalEol = true;
        return;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        // Keep the key's own spelling and anything before the equals sign.
        Line &line = m_lines[size_t(k)];
        line.raw = line.raw.left(line.raw.indexOf('=') + 1) + value.toUtf8();
        return;
    }
    const int at = sectionInsertPoint(s);
    m_lines.insert(m_lines.begin() + at, Line{keyLine, Kind::Key, key});
    if (size_t(at) == m_lines.size() - 1)
        m_finalEol = true;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    return value(section, key).value_or(def);
}

std::optional<qint32> IniFile::parseInteger(const QString &text)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith('-')) {
        negative = true;
        t = t.mid(1);
    }
    int base = 10;
    if (t.startsWith('$')) {
        t = t.mid(1);
        base = 16;
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        t = t.mid(2);
        base = 16;
    }
    if (t.isEmpty() || t.startsWith('+') || t.startsWith('-'))
        return std::nullopt;
    bool ok = false;
    const qint64 v = t.toLongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    // Hexadecimal values fill the 32 bits ("$FFFFFFFF" is -1); decimal ones must fit.
    if (base == 16) {
        if (v < 0 || v > 0xFFFFFFFFLL)
            return std::nullopt;
        const qint32 bits = qint32(quint32(v));
        return negative ? qint32(0u - quint32(bits)) : bits;
    }
    const qint64 signedValue = negative ? -v : v;
    if (signedValue < INT32_MIN || signedValue > INT32_MAX)
        return std::nullopt;
    return qint32(signedValue);
}

qint32 IniFile::readInteger(const QString &section, const QString &key, qint32 def) const
{
    const auto text = value(section, key);
    if (!text)
        return def;
    return parseInteger(*text).value_or(def);
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    setValue(section, key, value);
}

void IniFile::writeInteger(const QString &section, const QString &key, qint32 value)
{
    setValue(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QByteArray IniFile::toBytes() const
{
    QByteArray out;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i].raw;
        if (i + 1 < m_lines.size() || m_finalEol)
            out += m_eol;
    }
    return out;
}

bool IniFile::save(const QString &path) const
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = target + ".new";
    struct stat old {};
    const mode_t mode = ::stat(target.constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;

    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, toBytes()) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.constData(), target.constData()) != 0) {
        ::unlink(temp.constData());
        return false;
    }
    // Make the rename itself durable.
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dirFd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}
