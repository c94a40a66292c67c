#pragma once

#include "can/Can2ComLink.h"
#include "can/CanPage.h"
#include "can/CanTrace.h"
#include "can/WheelGlyph.h"
#include "core/Dispatcher.h"
#include "core/KeyContext.h"
#include "core/Navigator.h"
#include "core/Screen.h"
#include "FakeClock.h"
#include "support/PortRequestLog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>
#include <vector>

// The keys of the main menu as they reach it through the dispatcher; a test may hang an
// action on a key.
class KeyRecorder : public KeyContext {
public:
    void commandKey(quint16 key) override
    {
        keys.push_back(char(key));
        if (onKey)
            onKey(key);
    }
    std::vector<char> keys;
    std::function<void(quint16)> onKey;
};

// The CAN link on a port that only records requests, with a real dispatcher, a trace
// whose clock stands at 12:34:56, and timers on a fake clock.
class CanLinkTest : public ::testing::Test {
protected:
    CanLinkTest()
    {
        dispatcher.setHandler(Dispatcher::Context::MainMenu, &mainMenu);
        link = std::make_unique<Can2ComLink>(Can2ComLink::Wiring{
            port, page, trace, canLabel, [this] { return mainColour; }, [this] { return enabled; },
            [this](const QString &line) { sysMemo << line; },
            [this](quint16 &key) { dispatcher.FormKeyDown(key); },
            [this](const QString &text) { messages << text; }, QString(), clock.factory()});
    }

    void receive(const QByteArray &chunk) { port.deliver(chunk); }
    QStringList traceLines() const { return trace.lines(); }
    QString keys() const
    {
        return QString::fromLatin1(mainMenu.keys.data(), qsizetype(mainMenu.keys.size()));
    }
    QColor canColour() const { return canLabel.palette().color(QPalette::WindowText); }

    static QString at(const QString &message) { return QStringLiteral("12:34:56 ") + message; }

    FakeClock clock;
    CanPage page;
    CanTrace trace{*page.CAN2COMMemo, [] {
                       return QTime(12, 34, 56);
                   }};
    QLabel canLabel{QStringLiteral("CAN")};
    PortRequestLog port;
    Navigator screens; // stays on the main menu
    Dispatcher dispatcher{screens};
    KeyRecorder mainMenu;
    QColor mainColour = QColor(0xCD, 0xB8, 0x99);
    bool enabled = true;
    QStringList sysMemo;
    QStringList messages;
    std::unique_ptr<Can2ComLink> link;
};
