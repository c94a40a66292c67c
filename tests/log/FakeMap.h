#pragma once

#include "log/MapComponent.h"

#include <QHash>
#include <QPainter>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <utility>

// A map that draws a plain grid, answers places from a table and writes down every call
// ("centre 51.3 7.2 1", "altitude 2", "pan 8 1", "place 51.3 7.2"). Creation succeeds or
// fails as told, at once or when finish() is called.
class FakeMap : public MapComponent {
public:
    enum class Create { Succeed, Fail, FailAfterView, Later };

    explicit FakeMap(Create mode = Create::Succeed) : m_mode(mode) {}

    void create(QWidget *parent, std::function<void(bool ok)> done) override
    {
        ++creations;
        calls << QStringLiteral("create");
        if (m_mode == Create::Succeed || m_mode == Create::FailAfterView || m_mode == Create::Later)
            m_view = new Grid(parent); // owned by parent
        m_done = std::move(done);
        if (m_mode == Create::Later)
            return;
        finish(m_mode == Create::Succeed);
    }
    void finish(bool ok)
    {
        if (auto done = std::exchange(m_done, {}))
            done(ok);
    }
    QWidget *view() const override { return m_view.data(); }

    bool centre(double latitude, double longitude, double altitude) override
    {
        calls << QStringLiteral("centre %1 %2 %3").arg(latitude).arg(longitude).arg(altitude);
        centreOn = {latitude, longitude};
        return !failing;
    }
    bool setAltitude(double altitude) override
    {
        calls << QStringLiteral("altitude %1").arg(altitude);
        return !failing;
    }
    bool pan(int directionCode, double amount) override
    {
        calls << QStringLiteral("pan %1 %2").arg(directionCode).arg(amount);
        return !failing;
    }
    QString placeAt(double latitude, double longitude) override
    {
        calls << QStringLiteral("place %1 %2").arg(latitude).arg(longitude);
        if (failing)
            return QString();
        return places.value({latitude, longitude}, QStringLiteral("n/a"));
    }

    // The place at a point; elsewhere "n/a".
    void setPlace(double latitude, double longitude, const QString &place)
    {
        places.insert({latitude, longitude}, place);
    }

    QStringList calls;
    int creations = 0;
    bool failing = false;
    QPair<double, double> centreOn;
    QHash<QPair<double, double>, QString> places;

private:
    class Grid : public QWidget {
    public:
        explicit Grid(QWidget *parent) : QWidget(parent) {}

    protected:
        void paintEvent(QPaintEvent *) override
        {
            QPainter p(this);
            p.fillRect(rect(), QColor(0xEE, 0xE8, 0xD5));
            p.setPen(QPen(QColor(0xF4, 0xC0, 0x60), 9));
            p.drawLine(0, height() / 2 + 20, width(), height() / 2 - 30);
            p.drawLine(width() / 2 + 40, 0, width() / 2 - 20, height());
            p.setPen(QPen(Qt::white, 5));
            for (int x = 60; x < width(); x += 140)
                p.drawLine(x, 0, x + 60, height());
        }
    };

    Create m_mode;
    QPointer<Grid> m_view;
    std::function<void(bool)> m_done;
};
