#pragma once

#include "UnitConfig.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// One entry per requested file: its whole content, or nothing when its transfer failed.
using TDownloadFiles = std::vector<std::optional<QByteArray>>;

enum TWorkMode { wmRead };

// The FTP connection of one call, handed to the progress callbacks so that the caller can ask
// for file sizes and abort the transfer.
class TFtpSession
{
public:
    virtual ~TFtpSession() = default;
    // The size of a file in the current folder, -1 when the server does not tell. Answers only
    // between transfers (in OnWorkBegin, say); during a transfer it gives -1.
    virtual qint64 Size(const QString &fileName) = 0;
    // Ends the running transfer as soon as possible; callable from inside a callback.
    virtual void Abort() = 0;
};

struct TCloudCallbacks
{
    // After login and change of folder, before the first transfer; countMax is 0.
    std::function<void(TFtpSession &sender, TWorkMode mode, qint64 countMax)> OnWorkBegin;
    // Data arrived: count is the number of bytes received so far in this call, all files together.
    std::function<void(TFtpSession &sender, TWorkMode mode, qint64 count)> OnWork;
    // After the last transfer, also when a transfer failed.
    std::function<void(TFtpSession &sender, TWorkMode mode)> OnWorkEnd;
    // Told about failed transfers: "Ошибка: " and the failure's message. DownLoadFile tells of
    // its one file; DownLoadFiles tells once per call, how many files failed and which first few.
    std::function<void(const QString &message)> ReportError;
    // From the first moment of a call to its end, while it waits on the network (connecting,
    // logging in, between bytes), at least every 50 ms: the caller serves its window here, and
    // may end the call at once through sender.Abort().
    std::function<void(TFtpSession &sender)> OnWait;
};

// The file cloud's abort flag: DownLoadFiles clears it when it starts and looks at it after each
// file. The client sets it from its Abort command.
extern bool DownLoadAborted;

// Downloads from the file cloud into memory, one FTP connection per call whatever the number of
// files. Folders: "/web/Tavelko" is absolute, the others are relative to the login folder.
// The callbacks run inside the call on the caller's thread; they may process pending events and
// abort from there. A call made from inside another call's callback is refused (empty result).
class TTavelkoCloud
{
public:
    TTavelkoCloud() = delete;

    // One file; never fails: whatever goes wrong, what arrived (possibly nothing) is returned.
    static QByteArray DownLoadFile(const QString &dir, const QString &_file, const TCloudCallbacks &callbacks,
                                   const TServerConfig &config = TServerConfig::Load());

    // Every name of _files, in order. Empty when the connection, the login or the change of
    // folder failed (no callback, no message), or when the call was aborted. When the connection
    // is lost on the way and one reconnection fails, the files not yet fetched fail at once.
    static TDownloadFiles DownLoadFiles(const QString &dir, const QStringList &_files,
                                        const TCloudCallbacks &callbacks,
                                        const TServerConfig &config = TServerConfig::Load());

    static void FreeStreams(TDownloadFiles &files);

    // The error prefix of a failed transfer, the same in every language.
    static inline const QString ErrorPrefix = QStringLiteral("Ошибка: ");
};
