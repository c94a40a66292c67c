#include "media/Favourites.h"

#include "media/FavouriteCopy.h"

#include <QDir>
#include <QLabel>
#include <QWidget>

Favourites::Favourites(Hooks hooks, QWidget *infoPanel, QLabel *infoMessage, QObject *parent)
    : QObject(parent), m_hooks(std::move(hooks)), m_infoPanel(infoPanel), m_infoMessage(infoMessage)
{
    m_infoTimer.setInterval(InfoHideMs);
    connect(&m_infoTimer, &QTimer::timeout, this, &Favourites::InfoPanel_DisappearTimerTimer);
}

Favourites::~Favourites()
{
    // A copy cut short leaves the earlier favourite in place; nothing more arrives.
    m_pending.clear();
    if (m_worker.joinable()) {
        m_worker.request_stop();
        m_worker.join();
    }
}

void Favourites::showMessage(const QString &text)
{
    m_infoMessage->setText(text);
    m_infoPanel->show();
    m_infoPanel->raise();
    m_infoPanel->repaint();
    m_infoTimer.start();
}

void Favourites::InfoPanel_DisappearTimerTimer()
{
    m_infoTimer.stop();
    m_infoPanel->hide();
}

void Favourites::Panel3Click()
{
    if (m_hooks.restartOptionsHide)
        m_hooks.restartOptionsHide();
    const QString source = m_hooks.playingFile ? m_hooks.playingFile() : QString();
    const QString favourites =
        FavouriteCopy::directoryFor(m_hooks.mp3Path ? m_hooks.mp3Path() : QString());
    QDir().mkpath(favourites);
    if (!source.isEmpty() &&
        FavouriteCopy::sameFile(source, FavouriteCopy::targetFor(source, favourites))) {
        showMessage(OntoItself);
        return;
    }
    // An earlier copy stays where it is until the new one is complete.
    showMessage(Working);
    m_pending.push_back({source, favourites});
    if (!m_worker.joinable())
        startNext();
}

void Favourites::startNext()
{
    if (m_pending.empty())
        return;
    Job job = std::move(m_pending.front());
    m_pending.pop_front();
    m_worker = std::jthread([this, job](std::stop_token stop) {
        const FavouriteCopy::Result r = FavouriteCopy::run(job.source, job.favourites, stop);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(
            this, [this, r] { finish(r.copied, r.note); }, Qt::QueuedConnection);
    });
}

void Favourites::finish(bool copied, const QString &note)
{
    if (m_worker.joinable())
        m_worker.join();
    showMessage(copied ? QStringLiteral("File ") + note + QStringLiteral(" copied to favourites ")
                       : Failed);
    emit copyFinished(copied);
    startNext();
}
