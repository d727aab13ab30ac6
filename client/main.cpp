// The Tavelko client.

#include "UnitCommandLine.h"
#include "UnitConfig.h"
#include "UnitInstance.h"
#include "UnitMain.h"
#include "UnitPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyle>
#include <QStyleFactory>

int main(int argc, char **argv)
{
    // --help and --version answer without a screen.
    UseInterfaceLanguage();
    const TCommandLine line = ParseClientCommandLine(ProgramArguments(argc, argv), QStringLiteral(TAVELKO_VERSION_TEXT));
    if (!line.run)
        return ReportCommandLine(line);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavelko"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavelko"));
    QApplication::setApplicationVersion(QStringLiteral(TAVELKO_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("org.tavelko.Tavelko"));

    // One window: a client already running takes the exam path and comes forward.
    if (Platform::RequestOpen(line.examPath))
        return 0;

    const TServerConfig config = TServerConfig::Load();
    QStringList hosts;
    for (const TEndpoint &endpoint : config.DbEndpoints() + config.FtpEndpoints())
        hosts.append(endpoint.host);
    if (!Platform::NetworkConnected(hosts)) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Prelvin"),
                        QStringLiteral("There is no network connection! Please check the connection!"), QMessageBox::Ok);
        box.exec();
        return 0;
    }

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette()); // the light one

    TFormMain window(line.examPath.isEmpty() ? QStringList() : QStringList{line.examPath});
    window.showMaximized();
    window.FormShow();
    return QApplication::exec();
}
