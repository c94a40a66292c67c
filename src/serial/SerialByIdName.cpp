#include "serial/SerialByIdName.h"

#include <QDir>
#include <QFileInfo>

QString SerialByIdName::of(const QString &path, const QString &dir)
{
    const QFileInfo device(path);
    const QString target = device.canonicalFilePath();
    const QString links = QFileInfo(dir).canonicalFilePath();
    if (target.isEmpty() || links.isEmpty() ||
        QFileInfo(device.absolutePath()).canonicalFilePath() == links)
        return {};
    const QDir byId(dir);
    for (const QString &name : byId.entryList(QDir::System | QDir::Files, QDir::Name)) {
        if (QFileInfo(byId.filePath(name)).canonicalFilePath() == target)
            return byId.filePath(name);
    }
    return {};
}
