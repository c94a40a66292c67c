// The smallest Qt window there is, for the idle benchmark to compare the program with:
// one frameless 800 x 600 window of the same style, shown and waiting.
#include <QApplication>
#include <QStyleFactory>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setGeometry(0, 0, 800, 600);
    window.show();
    return app.exec();
}
