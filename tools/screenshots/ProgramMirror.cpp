#include "ProgramMirror.h"

#include "core/IniFile.h"

#include <QDir>
#include <QFile>

namespace {

const QString Settings = QStringLiteral("Rovana.ini");

bool keptOut(const QString &name)
{
    return name.compare(QStringLiteral("driverslog"), Qt::CaseInsensitive) == 0 ||
           name.compare(QStringLiteral("log"), Qt::CaseInsensitive) == 0;
}

} // namespace

ProgramMirror::ProgramMirror(const QString &programDir)
{
    m_valid = m_dir.isValid() && mirror(programDir);
}

QString ProgramMirror::path() const { return m_dir.path() + QLatin1Char('/'); }

bool ProgramMirror::mirror(const QString &programDir)
{
    const QDir source(programDir);
    if (!source.exists())
        return false;
    const auto entries =
        source.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (name == Settings || keptOut(name))
            continue;
        if (!QFile::link(entry.absoluteFilePath(), path() + name))
            return false;
    }
    return !source.exists(Settings) || copySettings(source.filePath(Settings));
}

bool ProgramMirror::copySettings(const QString &from)
{
    const QString to = path() + Settings;
    if (!QDir().mkpath(path() + QStringLiteral("log")))
        return false;
    IniFile ini = IniFile::load(from);
    ini.writeString(QStringLiteral("Pathes"), QStringLiteral("LOG"),
                    path() + QStringLiteral("log"));
    return ini.save(to);
}
