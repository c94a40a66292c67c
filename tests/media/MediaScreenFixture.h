#pragma once

#include "app/TForm1.h"
#include "support/KeyInput.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"

#include <QDir>

#include <memory>

// A window whose settings point the MP3 list at one temporary tree and the video list at
// another.
class MediaScreenFixture {
public:
    QString music() const { return QDir::cleanPath(musicDir.path()); }
    QString videos() const { return QDir::cleanPath(videoDir.path()); }

    void start(const QString &mp3Path = {}, const QString &moviePath = {}, Services services = {})
    {
        programDir.write("Rovana.ini",
                         "[Pathes]\nMP3=" + (mp3Path.isNull() ? music() : mp3Path).toUtf8() +
                             "\nMOVIE=" + (moviePath.isNull() ? videos() : moviePath).toUtf8() +
                             "\n[GPSMouseOptions]\nEnabled=0\n");
        form = std::make_unique<TForm1>(programDir.path(), standInServices(std::move(services)));
        form->show();
    }
    void key(char letter) { KeyInput::press(form.get(), letter); }
    void keys(const char *letters)
    {
        for (; *letters; ++letters)
            key(*letters);
    }

    TempDir programDir;
    TempDir musicDir;
    TempDir videoDir;
    std::unique_ptr<TForm1> form;
};
