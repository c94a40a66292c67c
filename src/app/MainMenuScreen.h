#pragma once

#include <QWidget>

class QLabel;
class PanelButton;

// Screen 2: the main screen picture and the version panel.
class MainMenuScreen : public QWidget {
    Q_OBJECT
public:
    static inline const char *const VersionText = "Rovana V1.1 Build 0049 Nightrider";

    explicit MainMenuScreen(QWidget *parent = nullptr);

    // False when the file can't be loaded; the picture then stays as it was.
    bool loadPicture(const QString &path);
    QPixmap picture() const;
    // Less light by night for the picture (not for its thumbnail on the options page).
    void setPictureLight(qreal light);
    // The loaded picture's own height in pixels (it is shown scaled); 0 before any.
    int pictureHeight() const { return m_pictureHeight; }

    QLabel *Image1 = nullptr;
    PanelButton *VersionPanel = nullptr;

signals:
    // Image1Click: a mouse click on the picture.
    void imageClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_pictureHeight = 0;
};
