#include "configuration.h"
#include "startup.h"
#include "tabdialog.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const std::unique_ptr<QTranslator> translator = installTranslation(QLocale::system().name());
    Configuration::load();
    TabDialog dialog;
    return dialog.exec();
}
