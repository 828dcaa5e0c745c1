#include "platform/Fonts.h"
#include "platform/Services.h"
#include "shell/Activities.h"
#include "shell/AppFatal.h"
#include "shell/frmMenu.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nibsy Learning"));
    QApplication::setQuitOnLastWindowClosed(false);
    nibsy::installFontSubstitutions();
    nibsy::installRealServices();
    nibsy::registerActivities();

    nibsy::frmMenu menu;
    nibsy::services().fatal = std::make_unique<nibsy::AppFatal>(&menu);
    QObject::connect(&menu, &nibsy::frmMenu::suiteEnded, &app, &QApplication::quit, Qt::QueuedConnection);
    if (!menu.Form_Load()) {
        return 1;
    }
    menu.enableChoices();
    menu.show();
    return app.exec();
}
