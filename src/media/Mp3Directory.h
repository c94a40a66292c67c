#pragma once

#include "core/KeyContext.h"
#include "media/MediaListPanel.h"

#include <QList>
#include <QWidget>

#include <functional>

class ColourScheme;
class DirActionMenu;
class LetterDial;
class PanelButton;
class Mp3Playback;
class ScreenHost;
class SelectionMarker;
class TAUDIListbox;

// The MP3 list screen (MP3Directory): the list with its marker and indicators, the action
// menu and the letter dial. Three states: list, menu shown, dial shown.
class Mp3Directory : public QWidget, public KeyContext {
    Q_OBJECT
public:
    Mp3Directory(ScreenHost &screens, SelectionMarker &marker, std::function<QString()> mp3Path,
                 QWidget *parent = nullptr);
    ~Mp3Directory() override;

    // Playback of "Select" on a file and of "Random"; until one is set, the calls are
    // only recorded.
    void setPlayback(Mp3Playback *playback);

    TAUDIListbox &MP3Listbox() const { return m_panel.list(); }
    MediaListPanel &panel() { return m_panel; }
    DirActionMenu *DirActionPanel = nullptr;
    LetterDial *FilterPanel = nullptr;
    // On the bottom bar: "Media" leads to the media choice; the mouse targets (previous,
    // next, next letter, up, menu) show only while the mouse is enabled.
    PanelButton *MediaLabel = nullptr;
    QList<PanelButton *> mouseTargets;
    void showMouseTargets(bool shown);

    void Button1Click(); // next entry
    void Button2Click(); // previous entry
    void Button4Click(); // next letter
    void GotoNextLetter();
    void SelectFirstWithInitial(char16_t ch);
    void MP3ListboxClick(); // opens the action menu
    void Button6Click();    // up one directory
    void MP3DirectoryShow();
    void MP3ListboxChange();
    void Image2Click();  // shows this screen
    void Panel35Click(); // Select
    void Panel51Click(); // Go to...
    void Panel40Click(); // Random
    void Panel14Click(); // close the menu
    void Panel22Click(); // up and close
    void SetMP3Selector();

    // Every screen change: the marker hides; on this screen it is placed again.
    void screenShown(int index);

    void commandKey(quint16 key) override;
    void registerColours(ColourScheme &colours);

private:
    // Enters a directory with the first entry selected.
    void enter(const QString &path);
    void dialChosen();
    void buildBottomBar();

    ScreenHost &m_screens;
    SelectionMarker &m_marker;
    MediaListPanel m_panel;
    Mp3Playback *m_playback = nullptr; // until the window sets it the list only moves
};
