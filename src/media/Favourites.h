#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <thread>

class QLabel;
class QWidget;

// "Copy to Favourites" (Panel3Click) and the information panel that reports it. The
// checks and the first message happen at once; the file work runs on a worker thread,
// one copy after another, and its result message follows when it is done.
class Favourites : public QObject {
    Q_OBJECT
public:
    static inline const QString OntoItself = QStringLiteral("File can not be copied onto itself");
    static inline const QString Working = QStringLiteral("Copy working...please wait");
    static inline const QString Failed =
        QStringLiteral("Copy failed - File open or disk full ? :-) !");
    static constexpr int InfoHideMs = 10000;

    struct Hooks {
        std::function<QString()> playingFile; // the player's file name
        std::function<QString()> mp3Path;     // the configured MP3 path
        std::function<void()> restartOptionsHide;
    };

    Favourites(Hooks hooks, QWidget *infoPanel, QLabel *infoMessage, QObject *parent = nullptr);
    ~Favourites() override;

    void Panel3Click();
    void InfoPanel_DisappearTimerTimer();
    QTimer &InfoPanel_DisappearTimer() { return m_infoTimer; }

    // A copy is running or waiting.
    bool busy() const { return m_worker.joinable() || !m_pending.empty(); }

signals:
    // A copy has ended and its message shows.
    void copyFinished(bool copied);

private:
    struct Job {
        QString source;
        QString favourites;
    };
    void showMessage(const QString &text);
    void startNext();
    void finish(bool copied, const QString &note);

    Hooks m_hooks;
    QWidget *m_infoPanel;
    QLabel *m_infoMessage;
    QTimer m_infoTimer;
    std::deque<Job> m_pending;
    std::jthread m_worker;
};
