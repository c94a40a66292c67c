#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary directory that is removed with its contents; path() ends with "/" like the
// program directory.
class TempDir {
public:
    TempDir();
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString &name) const { return path() + name; }
    // Writes bytes to a file below the directory, creating missing directories.
    QString write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    QString mkdir(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
