// The Tavelko client.

#include "UnitConfig.h"
#include "UnitMain.h"
#include "UnitPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyle>
#include <QStyleFactory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavelko"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavelko"));
    QApplication::setApplicationVersion(QStringLiteral(TAVELKO_VERSION_TEXT));

    const TServerConfig config = TServerConfig::Load();
    if (!Platform::NetworkConnected({config.DbHost, config.FtpHost})) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Prelvin"),
                        QStringLiteral("There is no network connection! Please check the connection!"), QMessageBox::Ok);
        box.exec();
        return 0;
    }

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette()); // the light one

    QStringList args = QApplication::arguments();
    args.removeFirst();
    TFormMain window(args);
    window.showMaximized();
    window.FormShow();
    return QApplication::exec();
}
