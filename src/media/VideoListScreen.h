#pragma once

#include "core/KeyContext.h"
#include "media/MediaListPanel.h"

#include <QWidget>

class ColourScheme;
class ScreenHost;
class SelectionMarker;
class TAUDIListbox;
class VideoListActions;

// The video list screen (Vide_select): the same list, marker and indicators as the MP3
// list; the position label carries the video type of the selected entry.
class VideoListScreen : public QWidget, public KeyContext {
    Q_OBJECT
public:
    VideoListScreen(ScreenHost &screens, SelectionMarker &marker, QWidget *parent = nullptr);

    // Video playback; until one is set, the calls are only recorded.
    void setActions(VideoListActions *actions);

    TAUDIListbox &VideoListBox() const { return m_panel.list(); }
    MediaListPanel &panel() { return m_panel; }
    // The video type of the selected entry, as last read.
    QString videoType() const { return m_videoType; }

    void Button17Click(); // next entry
    void Button18Click(); // previous entry
    void Button20Click(); // up one directory
    void VideoListboxClick();
    void SetVideoSelector();

    void screenShown(int index);
    void commandKey(quint16 key) override;
    void registerColours(ColourScheme &colours);

private:
    void readVideoType();

    ScreenHost &m_screens;
    SelectionMarker &m_marker;
    MediaListPanel m_panel;
    VideoListActions *m_actions = nullptr; // until the window sets them the list only moves
    QString m_videoType;
};
