#pragma once

#include "core/KeyContext.h"
#include "widgets/FocusRing.h"

#include <QColor>
#include <QWidget>

#include <functional>

class PanelButton;
class QLabel;
class ScreenHost;

// Screen 7: "Audio" or "Video". The knob moves between the two; C opens the choice.
class MediaChoiceScreen : public QWidget, public KeyContext {
    Q_OBJECT
public:
    MediaChoiceScreen(ScreenHost &screens, QWidget *parent = nullptr);

    // What "Audio" and "Video" open; the playback owners install theirs. Until then
    // "Audio" shows the MP3 list and "Video" the video list.
    void setAudioAction(std::function<void()> action) { m_audio = std::move(action); }
    void setVideoAction(std::function<void()> action) { m_video = std::move(action); }

    void media_selectEnter();
    void Panel86Click();
    void Panel87Click();

    void commandKey(quint16 key) override;

    bool loadPictures(const QString &audioJpg, const QString &videoJpg);
    // Less light by night for the two pictures.
    void setPictureLight(qreal light);

    FocusRing &focus() { return m_focus; }
    // The focused choice's text colour, white by day.
    void setFocusColour(const QColor &colour);
    PanelButton *Panel86 = nullptr; // "Audio"
    PanelButton *Panel87 = nullptr; // "Video"
    PanelButton *ChoicePanel = nullptr;
    QLabel *AudioImage = nullptr;
    QLabel *VideoImage = nullptr;

private:
    ScreenHost &m_screens;
    FocusRing m_focus;
    QColor m_focusColour = Qt::white;
    std::function<void()> m_audio;
    std::function<void()> m_video;
};
