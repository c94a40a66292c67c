#pragma once

#include "MediaScreenFixture.h"

#include "media/Mp3Directory.h"
#include "media/Mp3OptionsPanel.h"
#include "media/NowPlaying.h"
#include "media/NowPlayingScreen.h"
#include "media/TAUDIListbox.h"
#include "widgets/PanelButton.h"
#include "widgets/ScrollingText.h"
#include "widgets/StatusSymbol.h"

#include <QLabel>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// The window with the parts of the now-playing screen at hand.
class NowPlayingFixture : public MediaScreenFixture {
public:
    NowPlaying &playing() const { return *form->nowPlaying(); }
    NowPlayingScreen &view() const { return *playing().screen(); }
    Mp3OptionsPanel &options() const { return *playing().MP3OptionsPanel(); }
    TAUDIListbox &list() const { return form->mp3Directory()->MP3Listbox(); }
    QString selected() const { return list().itemText(list().itemIndex()); }
    QString scroller() const { return view().MP3_scroller->text(); }
    QString symbol() const { return view().Mp3StatusIndicator->text(); }
    QString playingFile() const { return form->audio().fileName(); }
    QWidget *optionFocus() const { return options().focus().current(); }

    // Selects an entry of the list by its text and plays it with "Select".
    void select(const QString &entry)
    {
        form->mp3Directory()->Image2Click();
        list().setItemIndex(int(list().items().indexOf(entry)));
        form->mp3Directory()->Panel35Click();
    }
};
