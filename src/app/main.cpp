#include "app/CommPortControl.h"
#include "app/TForm1.h"
#include "platform/LinuxSystemClock.h"
#include "platform/LogindPowerManager.h"
#include "platform/MpvAudioPlayer.h"
#include "platform/MpvSoundPlayer.h"
#include "platform/MpvVideoPlayer.h"
#include "platform/XRandrGammaRamp.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rovana"));
    QApplication::setApplicationDisplayName(QStringLiteral("Rovana - Audi"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QString programDir = QCoreApplication::applicationDirPath();
    if (!programDir.endsWith(QLatin1Char('/')))
        programDir += QLatin1Char('/');

    const QString iniFile = programDir + QStringLiteral("Rovana.ini");
    Services services;
    services.can2comPort = CommPortControl::can2com(iniFile);
    services.gpsPort = CommPortControl::gps(iniFile);
    services.video = std::make_unique<MpvVideoPlayer>();
    services.sound = std::make_unique<MpvSoundPlayer>();
    services.power = std::make_unique<LogindPowerManager>(QDBusConnection::systemBus());
    services.gamma = XRandrGammaRamp::forApplication();
    services.audio = std::make_unique<MpvAudioPlayer>();
    services.clock = std::make_unique<LinuxSystemClock>();

    TForm1 form(programDir, std::move(services));
    form.show();
    return app.exec();
}
