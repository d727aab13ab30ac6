#pragma once

#include "UnitTavelkoCloud.h"

#include <QElapsedTimer>
#include <QTcpServer>

// A download call to a server that accepts and never answers, aborted after abortAfterMs: how
// long the caller went unserved at most, and how soon the abort ended the call.
struct TSilentServerCall
{
    bool listening = false;
    qint64 longestGapMs = 0;
    qint64 abortToEndMs = -1; // -1: never aborted
    TDownloadFiles files;
};

inline TSilentServerCall CallASilentServer(qint64 abortAfterMs, TCloudCallbacks callbacks = {})
{
    TSilentServerCall call;
    QTcpServer silent;
    call.listening = silent.listen(QHostAddress::LocalHost);
    if (!call.listening)
        return call;
    TServerConfig config = TServerConfig::Load();
    config.FtpHost = QStringLiteral("127.0.0.1");
    config.FtpPort = silent.serverPort();
    QElapsedTimer clock, sinceLast;
    qint64 abortedAt = -1;
    clock.start();
    callbacks.OnWait = [&](TFtpSession &sender) {
        if (sinceLast.isValid())
            call.longestGapMs = std::max(call.longestGapMs, sinceLast.elapsed());
        sinceLast.start();
        if (clock.elapsed() >= abortAfterMs && abortedAt < 0) {
            abortedAt = clock.elapsed();
            sender.Abort();
        }
    };
    call.files = TTavelkoCloud::DownLoadFiles(QStringLiteral("web"), {QStringLiteral("a.png")}, callbacks, config);
    if (abortedAt >= 0)
        call.abortToEndMs = clock.elapsed() - abortedAt;
    return call;
}
