#pragma once

#include <QColor>
#include <QWidget>

// The play state symbol of the now-playing screen (Mp3StatusIndicator). It keeps the
// symbol-font character of the skin as its text: "4" play, ";" pause, "<" stop, and
// draws the matching shape.
class StatusSymbol : public QWidget {
    Q_OBJECT
public:
    static inline const QString Play = QStringLiteral("4");
    static inline const QString Pause = QStringLiteral(";");
    static inline const QString Stop = QStringLiteral("<");

    explicit StatusSymbol(QWidget *parent = nullptr);

    void setText(const QString &symbol);
    QString text() const { return m_symbol; }
    void setColour(const QColor &colour);
    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_symbol;
    QColor m_colour = Qt::white;
};
