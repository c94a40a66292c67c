#include "support/XvfbDisplay.h"

#include <QTest>

XvfbDisplay::XvfbDisplay(const QByteArray &screen)
{
    m_server.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0",
                                            QString::fromLatin1(screen)});
    if (m_server.waitForStarted(10000) &&
        QTest::qWaitFor([&] { return m_server.canReadLine(); }, 30000))
        m_name = ":" + m_server.readLine().trimmed();
}

XvfbDisplay::~XvfbDisplay()
{
    m_server.terminate();
    if (!m_server.waitForFinished(5000))
        m_server.kill();
    m_server.waitForFinished(5000);
}
