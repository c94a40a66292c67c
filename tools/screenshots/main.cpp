// Renders each of the ten screens of a program directory offscreen into PNG files:
// screen-0.png .. screen-9.png, plus options-<page>.png for the pages of the options.
#include "app/OptionsScreen.h"
#include "app/Screen.h"
#include "app/TForm1.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTextStream>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 3) {
        QTextStream(stderr) << "usage: rovana-screenshots <program directory> <output directory>\n";
        return 2;
    }
    QString programDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());

    TForm1 form(programDir);
    form.show();
    QApplication::processEvents();
    bool ok = true;
    for (int i = 0; i < Screen::Count; ++i) {
        form.showScreen(i);
        QApplication::processEvents();
        ok &= form.grab().save(out.filePath(QStringLiteral("screen-%1.png").arg(i)));
    }
    form.showScreen(Screen::Settings);
    for (int p = 0; p < OptionsScreen::PageCount; ++p) {
        form.options()->setPage(p);
        QApplication::processEvents();
        ok &= form.grab().save(out.filePath(QStringLiteral("options-%1.png").arg(p)));
    }
    return ok ? 0 : 1;
}
