#include "app/DevicePorts.h"
#include "app/KernelKnob.h"
#include "app/OptionsScreen.h"
#include "app/ShutdownSaver.h"
#include "app/TForm1.h"
#include "platform/AudioOutputProbe.h"
#include "platform/LogindInhibitor.h"
#include "platform/LogindPowerManager.h"
#include "platform/LogindResumeWatch.h"
#include "platform/MpvAudioPlayer.h"
#include "platform/MpvSoundPlayer.h"
#include "platform/MpvVideoPlayer.h"
#include "platform/TerminationSignals.h"
#include "platform/TimedatedSystemClock.h"
#include "platform/XRandrGammaRamp.h"
#include "serial/ReopeningPort.h"

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
    // At once: a signal during start-up waits in its pipe until the window can save.
    TerminationSignals termination;

    QString programDir = QCoreApplication::applicationDirPath();
    if (!programDir.endsWith(QLatin1Char('/')))
        programDir += QLatin1Char('/');

    const QString iniFile = programDir + QStringLiteral("Rovana.ini");
    Services services;
    // Looked for once: asked to find an output itself, each player would try every one
    // again for each sound, and the sound library prints its failures on stderr.
    const bool soundOutput = AudioOutputProbe::hasOutput(AudioOutputProbe::systemPlaces());
    const QByteArray ao = AudioOutputProbe::playerOutput(soundOutput);
    if (!soundOutput)
        services.platformNotes << AudioOutputProbe::NoOutputMessage;
    std::unique_ptr<ReopeningPort> can2com = DevicePorts::can2com(iniFile);
    std::unique_ptr<ReopeningPort> gps = DevicePorts::gps(iniFile);
    ReopeningPort &can2comPort = *can2com;
    ReopeningPort &gpsPort = *gps;
    services.can2comPort = std::move(can2com);
    services.gpsPort = std::move(gps);
    if (const QString note = DevicePorts::gpsSourceNote(iniFile); !note.isEmpty())
        services.platformNotes << note;
    services.video = std::make_unique<MpvVideoPlayer>(MpvVideoPlayer::Options{"libmpv", ao});
    services.sound = std::make_unique<MpvSoundPlayer>(MpvSoundPlayer::Options{ao});
    services.power = std::make_unique<LogindPowerManager>(QDBusConnection::systemBus());
    services.gamma = XRandrGammaRamp::forApplication();
    services.audio = std::make_unique<MpvAudioPlayer>(MpvAudioPlayer::Options{ao});
    auto clock = std::make_unique<TimedatedSystemClock>(QDBusConnection::systemBus());
    TimedatedSystemClock &timeSetter = *clock;
    services.clock = std::move(clock);

    TForm1 form(programDir, std::move(services));
    KernelKnob knob(form);
    knob.device().start();
    // Adapters that vanished over a standby are looked for as soon as the machine is up.
    LogindResumeWatch resume(QDBusConnection::systemBus(), [&can2comPort, &gpsPort] {
        can2comPort.searchNow();
        gpsPort.searchNow();
    });
    timeSetter.setTrace([&form](const QString &line) { form.trace().AddTrace(line); });
    LogindInhibitor logind(QDBusConnection::systemBus(), QStringLiteral("Rovana"),
                           QStringLiteral("Saving the odometer and the settings"));
    ShutdownSaver saver(termination, logind,
                        {[&form] { form.configuration().SaveSettings(); },
                         [] { QCoreApplication::quit(); },
                         [&form](const QString &line) {
                             form.options()->appendSysMessage(line);
                         }});
    form.show();
    return app.exec();
}
