#include "app/CommPortControl.h"
#include "app/MainMenuBar.h"
#include "app/OptionsScreen.h"
#include "app/StatusLine.h"
#include "app/TForm1.h"
#include "can/Can2ComLink.h"
#include "can/CanPage.h"
#include "can/LinkSupervisor.h"
#include "core/Screen.h"
#include "support/PortRequestLog.h"
#include "support/PseudoTerminal.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"
#include "widgets/RadioGroup.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr int IoBoundMs = 5000; // real I/O through a pseudo-terminal: reached only on failure

// The whole window with its CAN2COM link on a real serial line: the device of the line
// in "Devices" is a pseudo-terminal whose far end plays the adapter.
class CanWindowTest : public ::testing::Test {
protected:
    void start(const QString &device, bool enabled = true)
    {
        dir.write("Rovana.ini",
                  QStringLiteral("[CAN2ComPort]\nEnabled=%1\nRadioGroup4.ItemIndex=2\n"
                                 "[Devices]\nCOM1=%2\nCOM3=%2\n")
                      .arg(enabled ? 1 : 0)
                      .arg(device)
                      .toUtf8());
        Services services;
        auto port = CommPortControl::can2com(dir.file("Rovana.ini"));
        line = port.get();
        services.can2comPort = std::move(port);
        form = std::make_unique<TForm1>(dir.path(), standInServices(std::move(services)));
        form->canLink()->setMessageBox([this](const QString &text) { messages << text; });
        form->show();
    }
    int highlighted() const { return form->mainMenu()->highlighted(); }
    QStringList restarts() const
    {
        return form->options()->sysMessages().filter(QRegularExpression("^Restarting CAN2COM$"));
    }
    CanPage *canPage() const { return form->options()->canPage()->findChild<CanPage *>(); }

    TempDir dir;
    PseudoTerminal pty;
    CommPortControl *line = nullptr;
    QStringList messages;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(CanWindowTest, WheelLinesOnTheLineMoveTheMainMenuHighlight)
{
    ASSERT_TRUE(pty.valid());
    start(pty.path());
    ASSERT_TRUE(line->isOpen());
    EXPECT_EQ(line->portIndex(), 2);
    ASSERT_EQ(highlighted(), MainMenuBar::DriversLog);
    ASSERT_TRUE(pty.send("1601\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return highlighted() == MainMenuBar::Media; }, IoBoundMs));
    ASSERT_TRUE(pty.send("1601\r1601\r1602\r"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return canPage()->CAN2COMMemo->blockCount() >= 4; }, IoBoundMs));
    EXPECT_EQ(highlighted(), MainMenuBar::Poi);
    EXPECT_EQ(form->statusLine()->CANLabel->palette().color(QPalette::WindowText),
              form->colours().main());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(CanWindowTest, StopComPausesTheLinkUntilTheSupervisorReopensIt)
{
    ASSERT_TRUE(pty.valid());
    start(pty.path());
    ASSERT_TRUE(line->isOpen());
    emit canPage()->BitBtn13->clicked();
    EXPECT_FALSE(line->isOpen());
    // A shortened supervisor interval stands for its 15 s.
    form->canLink()->supervisor().COMSupervisorTimer().start(50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return line->isOpen(); }, IoBoundMs));
    EXPECT_EQ(restarts().size(), 1);
    ASSERT_TRUE(pty.send("1601\r"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return highlighted() == MainMenuBar::Media; }, IoBoundMs));
}

TEST_F(CanWindowTest, WithTheLinkDisabledStopComKeepsThePortClosed)
{
    ASSERT_TRUE(pty.valid());
    start(pty.path(), false);
    EXPECT_FALSE(line->isOpen());
    emit canPage()->BitBtn12->clicked(); // "Restart COM" opens it by hand
    ASSERT_TRUE(line->isOpen());
    emit canPage()->BitBtn13->clicked();
    for (int tick = 0; tick < 3; ++tick)
        form->canLink()->supervisor().COMSupervisorTimerTimer();
    EXPECT_FALSE(line->isOpen());
    EXPECT_TRUE(restarts().isEmpty());
}

TEST_F(CanWindowTest, EnabledWhileRunningTheLinkOpensOnTheComponentsDefaultPort)
{
    ASSERT_TRUE(pty.valid());
    start(pty.path(), false);
    ASSERT_EQ(form->options()->RadioGroup4->itemIndex(), 2);
    form->options()->CAN2COMEnabledBox->setChecked(true);
    form->canLink()->supervisor().COMSupervisorTimerTimer();
    EXPECT_TRUE(line->isOpen());
    EXPECT_EQ(line->portIndex(), 0);
    EXPECT_EQ(restarts().size(), 1);
}

TEST_F(CanWindowTest, WithoutAnAdapterEveryTickSaysRestartingAndNothingIsShown)
{
    start(dir.file("no-such-adapter"));
    EXPECT_FALSE(line->isOpen());
    EXPECT_TRUE(form->options()->sysMessages().contains("Trying to start CAN2Com on COM 3"));
    for (int tick = 1; tick <= 3; ++tick) {
        form->canLink()->supervisor().COMSupervisorTimerTimer();
        EXPECT_EQ(restarts().size(), tick);
    }
    EXPECT_FALSE(line->isOpen());
    EXPECT_TRUE(messages.isEmpty());
    // "Restart COM" by hand tells why.
    emit canPage()->BitBtn12->clicked();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(messages[0].isEmpty());
}

TEST_F(CanWindowTest, TheWindowsTraceIsTheCanTrace)
{
    start(dir.file("no-such-adapter"), false);
    form->trace().AddTrace(QStringLiteral("Log file written"));
    const QString memo = canPage()->CAN2COMMemo->toPlainText();
    EXPECT_TRUE(
        QRegularExpression("^\\d\\d:\\d\\d:\\d\\d Log file written$").match(memo).hasMatch())
        << memo.toStdString();
}

TEST(CanWindow, TheCanPageShowsTheReadOutsAndButtonsWithoutFocus)
{
    TempDir dir;
    TForm1 form(dir.path(), standInServices());
    form.options()->setPage(OptionsScreen::Can);
    EXPECT_EQ(form.options()->notebook()->tabText(OptionsScreen::Can), "CAN");
    auto *page = form.options()->canPage()->findChild<CanPage *>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->keypos->text(), "UNKNOWN KEY POSITION");
    EXPECT_EQ(page->BitBtn12->text(), "Restart COM");
    EXPECT_EQ(page->BitBtn13->text(), "Stop COM");
    EXPECT_EQ(page->BitBtn14->text(), "Save TRACE");
    EXPECT_EQ(page->BitBtn15->text(), "Clear TRACE");
    for (QPushButton *b : {page->BitBtn12, page->BitBtn13, page->BitBtn14, page->BitBtn15})
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(page->CAN2COMMemo->isReadOnly());
    // The window's own stand-in port: its chunks reach the link.
    static_cast<PortRequestLog &>(form.can2comPort()).deliver("1203\r");
    EXPECT_EQ(page->light->text(), "Light Upper ");
    // The read-outs follow the main colour.
    form.colours().setMainColour(0x0000FFFF);
    form.changecolors();
    EXPECT_EQ(page->light->palette().color(QPalette::WindowText), QColor(0xFF, 0xFF, 0x00));
}

TEST(CanWindow, SaveTraceWritesIntoTheHomeDirectory)
{
    TempDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    {
        TempDir dir;
        TForm1 form(dir.path(), standInServices());
        form.canLink()->setMessageBox([](const QString &) { FAIL(); });
        form.trace().AddTrace(QStringLiteral("one"));
        form.trace().AddTrace(QStringLiteral("two"));
        form.canLink()->BitBtn14Click();
    }
    qputenv("HOME", oldHome);
    const QByteArray text = home.read("auditrace.txt");
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d one\r\n\\d\\d:\\d\\d:\\d\\d two\r\n$")
                    .match(QString::fromLatin1(text))
                    .hasMatch())
        << text.toStdString();
}
