#include "gps/CameraListText.h"

#include "gps/RadarBin.h"

#include <QRegularExpression>

namespace {
QString problem(qsizetype number, const QString &what)
{
    return QStringLiteral("line %1: %2").arg(number).arg(what);
}
} // namespace

CameraListText::Parsed CameraListText::parse(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    Parsed parsed;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(separators, Qt::SkipEmptyParts);
        if (fields.size() < 3) {
            parsed.errors << problem(i + 1, QStringLiteral("latitude, longitude and limit needed"));
            continue;
        }
        bool latOk = false, lonOk = false, limitOk = false;
        const CameraRecord camera{fields[0].toDouble(&latOk), fields[1].toDouble(&lonOk),
                                  fields[2].toInt(&limitOk)};
        if (!latOk || !lonOk || !limitOk)
            parsed.errors << problem(i + 1, QStringLiteral("not a number"));
        else if (!RadarBin::isPlace(camera))
            parsed.errors << problem(i + 1, QStringLiteral("position out of range"));
        else
            parsed.cameras.push_back(camera);
    }
    return parsed;
}
