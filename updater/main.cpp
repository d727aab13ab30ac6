// The Tavelko updater: replaces the client with its newest published version.

#include "UnitCommandLine.h"
#include "UnitUpdaterMain.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

int main(int argc, char **argv)
{
    UseInterfaceLanguage();
    const TCommandLine line = ParseUpdaterCommandLine(ProgramArguments(argc, argv), QStringLiteral(TAVELKO_VERSION_TEXT));
    if (!line.run)
        return ReportCommandLine(line);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TavelkoUpdater"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    Updater::TFormMain window;
    window.show();
    return QApplication::exec();
}
