#pragma once

#include "app/TForm1.h"
#include "core/Screen.h"
#include "media/MovieOptionsPanel.h"
#include "media/TAUDIListbox.h"
#include "media/VideoListScreen.h"
#include "media/VideoPlayback.h"
#include "support/KeyInput.h"
#include "support/RecordingSoundPlayer.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"
#include "widgets/PanelButton.h"

#include <QDir>
#include <QLabel>

#include <memory>

// A window with the video list on a temporary tree, a recording sound player and the
// video player the test hands in, showing the video list.
class VideoFixture {
public:
    QString videos() const { return QDir::cleanPath(videoDir.path()); }

    template <typename Player> Player *start(std::unique_ptr<Player> player)
    {
        Player *raw = player.get();
        // The movie path is applied only after a readable MP3 path.
        programDir.write("Rovana.ini", "[Pathes]\nMP3=" + videos().toUtf8() + "\nMOVIE=" +
                                           videos().toUtf8() + "\n[GPSMouseOptions]\nEnabled=0\n");
        Services services;
        auto sound = std::make_unique<RecordingSoundPlayer>();
        sounds = sound.get();
        services.sound = std::move(sound);
        services.video = std::move(player);
        form = std::make_unique<TForm1>(programDir.path(), standInServices(std::move(services)));
        form->show();
        form->navigator().setTitle("Select Video");
        form->navigator().showScreen(Screen::Vide_select);
        return raw;
    }

    void key(char letter) { KeyInput::press(form.get(), letter); }
    void keys(const char *letters)
    {
        for (; *letters; ++letters)
            key(*letters);
    }
    // Selects an entry of the list by its text and opens it with C.
    void open(const QString &entry)
    {
        TAUDIListbox &list = form->videoList()->VideoListBox();
        list.setItemIndex(int(list.items().indexOf(entry)));
        key('C');
    }

    VideoPlayback &video() const { return *form->video(); }
    MovieOptionsPanel &panel() const { return *video().optionsPanel(); }
    QString timeField() const { return panel().MovieTime->text(); }
    QString overlay() const { return video().Movie_progress_onstage->text(); }
    QWidget *focused() { return panel().focus().current(); }

    TempDir programDir;
    TempDir videoDir;
    RecordingSoundPlayer *sounds = nullptr;
    std::unique_ptr<TForm1> form;
};
