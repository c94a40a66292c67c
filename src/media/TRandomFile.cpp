#include "media/TRandomFile.h"

#include <QDir>
#include <QFileInfo>

TRandomFile::TRandomFile(std::mt19937::result_type seed) : m_random(seed) {}

bool TRandomFile::isTrack(const QString &name)
{
    const QString suffix = QFileInfo(name).suffix().toUpper();
    return suffix == QLatin1String("MP3") || suffix == QLatin1String("OGG") ||
           suffix == QLatin1String("WMA");
}

void TRandomFile::Execute()
{
    m_result = 0;
    m_fileName = m_root;
    // No root, no walk: an empty path would mean the process's working directory.
    if (m_root.isEmpty())
        return;
    QString dir = m_root;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    for (int depth = 0; depth <= MaxDepth; ++depth) {
        m_fileName = dir;
        // Hidden and system entries are candidates too.
        const QFileInfoList entries = QDir(dir).entryInfoList(
            QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
            QDir::Name);
        QFileInfoList candidates;
        for (const QFileInfo &e : entries) {
            if (e.isDir() || isTrack(e.fileName()))
                candidates.append(e);
        }
        if (candidates.isEmpty())
            return;
        std::uniform_int_distribution<qsizetype> pick(0, candidates.size() - 1);
        const QFileInfo &chosen = candidates[pick(m_random)];
        if (!chosen.isDir()) {
            m_fileName = chosen.absoluteFilePath();
            m_result = 1;
            return;
        }
        dir = chosen.absoluteFilePath() + QLatin1Char('/');
    }
}
