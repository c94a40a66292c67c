#include "platform/AudioOutputProbe.h"

#include <QDir>
#include <QFileInfo>

AudioOutputProbe::Places AudioOutputProbe::systemPlaces()
{
    return {qEnvironmentVariable("XDG_RUNTIME_DIR"), qEnvironmentVariable("PULSE_SERVER"),
            QStringLiteral("/dev/snd")};
}

bool AudioOutputProbe::hasOutput(const Places &places)
{
    if (!places.pulseServer.isEmpty())
        return true;
    if (!places.runtimeDir.isEmpty()) {
        const QDir runtime(places.runtimeDir);
        for (const char *socket : {"pulse/native", "pipewire-0"})
            if (QFileInfo::exists(runtime.filePath(QString::fromLatin1(socket))))
                return true;
    }
    // Playback devices end in "p"; "c" are capture devices, which play nothing.
    const QStringList playback =
        QDir(places.soundDevices)
            .entryList({QStringLiteral("pcmC*D*p")}, QDir::System | QDir::Files | QDir::Readable);
    return !playback.isEmpty();
}

QByteArray AudioOutputProbe::playerOutput(bool hasOutput)
{
    return hasOutput ? QByteArray() : QByteArrayLiteral("null");
}
