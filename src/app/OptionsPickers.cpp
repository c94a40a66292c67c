#include "app/OptionsPickers.h"

#include "app/OptionsScreen.h"
#include "app/PathChooser.h"

#include <QLineEdit>
#include <QPushButton>

OptionsPickers::OptionsPickers(OptionsScreen &options, PathChooser &chooser, Actions actions)
    : m_options(options), m_chooser(chooser), m_actions(std::move(actions))
{
    QObject::connect(options.Button13, &QPushButton::clicked, [this] { Button13Click(); });
    QObject::connect(options.Button14, &QPushButton::clicked, [this] { Button14Click(); });
    QObject::connect(options.Button15, &QPushButton::clicked, [this] { Button15Click(); });
    QObject::connect(options.Button26, &QPushButton::clicked, [this] { Button26Click(); });
}

void OptionsPickers::Button13Click()
{
    const QString dir = m_chooser.chooseDirectory(m_options.Mp3PathEdit->text());
    if (dir.isEmpty())
        return;
    m_options.Mp3PathEdit->setText(dir);
    m_actions.pointMp3List(dir); // a directory that can't be opened leaves the list as it was
}

void OptionsPickers::Button14Click()
{
    const QString dir = m_chooser.chooseDirectory(m_options.MoviePathEdit->text());
    if (dir.isEmpty())
        return;
    m_options.MoviePathEdit->setText(dir);
    m_actions.pointVideoList(dir);
}

void OptionsPickers::Button15Click()
{
    const QString file = m_chooser.chooseFile(m_options.Mp3BitmapEdit->text(), bitmapFilter());
    if (file.isEmpty())
        return;
    m_options.Mp3BitmapEdit->setText(file);
    m_actions.loadNowPlayingBackground(file); // a picture that won't load is ignored
}

void OptionsPickers::Button26Click()
{
    const QString dir = m_chooser.chooseDirectory(m_options.LogPathEdit->text());
    if (!dir.isEmpty())
        m_options.LogPathEdit->setText(dir);
}
