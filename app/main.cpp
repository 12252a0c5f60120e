#include <QApplication>
#include <QMainWindow>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(u"Norvenz SZW Kennblätter"_s);
    QMainWindow window;
    window.setWindowTitle(u"Gralm-Kennblätter"_s);
    window.show();
    return QApplication::exec();
}
