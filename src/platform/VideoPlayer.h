#pragma once

#include <QString>

#include <functional>

class QWidget;

// The platform's video service: one film at a time, drawn into a display widget that the
// window places (the movie panel). Times are seconds. Notifications arrive on the GUI
// thread, from the event loop, never from inside a call made to the player.
class VideoPlayer {
public:
    enum class OpenState { Closed = 0, Loading = 1, Open = 6 };
    enum class PlayState { Stopped = 0, Paused = 1, Playing = 2 };
    enum class DisplaySize { FitToWindow, Custom };

    struct Notifications {
        std::function<void(OpenState)> openStateChanged;
        std::function<void(double seconds)> positionChanged;
        // code: the service's error number; message: its own text for it.
        std::function<void(int code, const QString &message)> error;
    };

    virtual ~VideoPlayer() = default;

    // The widget the picture is drawn in, a child of parent; made once, hidden at first.
    virtual QWidget *createDisplay(QWidget *parent) = 0;
    void setNotifications(Notifications notifications) { m_notify = std::move(notifications); }

    // Opens a file; the film starts by itself once it is open.
    virtual void open(const QString &path) = 0;
    virtual QString fileName() const = 0;
    virtual OpenState openState() const = 0;
    virtual PlayState playState() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    // Paused at the start; the film stays open.
    virtual void stop() = 0;
    // Closes the film and clears the file name.
    virtual void close() = 0;

    // 0 while no film is open.
    virtual double duration() const = 0;
    virtual double position() const = 0;
    // Reads back at once as the new position.
    virtual void setPosition(double seconds) = 0;

    virtual DisplaySize displaySize() const = 0;
    virtual void setDisplaySize(DisplaySize size) = 0;
    // Percent of the fitted picture for the custom size; 100 at first, 0 or less ignored.
    virtual int zoom() const = 0;
    virtual void setZoom(int percent) = 0;

protected:
    void notifyOpenState(OpenState state) const
    {
        if (m_notify.openStateChanged)
            m_notify.openStateChanged(state);
    }
    void notifyPosition(double seconds) const
    {
        if (m_notify.positionChanged)
            m_notify.positionChanged(seconds);
    }
    void notifyError(int code, const QString &message) const
    {
        if (m_notify.error)
            m_notify.error(code, message);
    }

private:
    Notifications m_notify;
};
