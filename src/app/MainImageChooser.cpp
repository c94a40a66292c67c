#include "app/MainImageChooser.h"

#include <QDir>

void MainImageChooser::setDirectory(const QString &dir)
{
    m_dir = dir;
    QDir d(dir);
    m_files = d.entryList({QStringLiteral("*.jpg")}, QDir::Files | QDir::Hidden | QDir::System,
                          QDir::Name | QDir::IgnoreCase);
    m_index = -1;
}

QString MainImageChooser::next()
{
    if (m_files.isEmpty())
        return {};
    m_index = m_index + 1 >= m_files.size() ? 0 : m_index + 1;
    return QDir(m_dir).filePath(m_files[m_index]);
}

QString MainImageChooser::previous()
{
    if (m_files.isEmpty())
        return {};
    m_index = m_index - 1 < 0 ? int(m_files.size()) - 1 : m_index - 1;
    return QDir(m_dir).filePath(m_files[m_index]);
}
