#include "UnitTavelkoCloud.h"

#include "UnitTranslate.h"

#include <QElapsedTimer>
#include <QUrl>

#include <curl/curl.h>

bool DownLoadAborted = false;

namespace {

// libcurl wants one global initialisation before any handle exists.
void EnsureCurlInitialised()
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    Q_UNUSED(initialised);
}

// "/web/Tavelko" is absolute: in a URL its first slash is written %2F. Every segment is
// percent-encoded, so that names with blanks or non-Latin letters travel intact.
QByteArray EncodePath(const QString &path)
{
    QByteArray encoded;
    const QStringList segments = path.split(u'/');
    for (qsizetype i = 0; i < segments.size(); ++i) {
        if (i > 0)
            encoded += (i == 1 && segments.first().isEmpty()) ? "%2F" : "/";
        encoded += QUrl::toPercentEncoding(segments.at(i));
    }
    return encoded;
}

// One FTP connection (a libcurl easy handle reused for every request of the call, so that one
// control connection serves them all).
class TCurlSession final : public TFtpSession
{
public:
    TCurlSession(const TServerConfig &config, const QString &dir, const TCloudCallbacks &callbacks, bool noDelay)
        : fCallbacks(callbacks)
    {
        EnsureCurlInitialised();
        fMulti = curl_multi_init();
        fCurl = curl_easy_init();
        for (const TEndpoint &endpoint : config.FtpEndpoints()) {
            const QByteArray host = endpoint.host.contains(u':') ? '[' + endpoint.host.toUtf8() + ']'
                                                                 : QUrl::toPercentEncoding(endpoint.host);
            fBaseUrls.append("ftp://" + host + ':' + QByteArray::number(endpoint.port) + '/' + EncodePath(dir));
        }
        fBaseUrl = fBaseUrls.value(0);
        if (!fCurl || !fMulti)
            return;
        const QByteArray user = config.FtpUser.toUtf8();
        const QByteArray password = config.FtpPassword.toUtf8();
        curl_easy_setopt(fCurl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(fCurl, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(fCurl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
        curl_easy_setopt(fCurl, CURLOPT_TRANSFERTEXT, 0L);
        curl_easy_setopt(fCurl, CURLOPT_ERRORBUFFER, fError);
        curl_easy_setopt(fCurl, CURLOPT_NOSIGNAL, 1L);
        // With mirrors, each gets a short while to answer before the next is tried.
        curl_easy_setopt(fCurl, CURLOPT_CONNECTTIMEOUT, fBaseUrls.size() > 1 ? 3L : 15L);
        curl_easy_setopt(fCurl, CURLOPT_SERVER_RESPONSE_TIMEOUT, 30L);
        // A transfer that stalls for a minute is given up rather than waited for forever.
        curl_easy_setopt(fCurl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(fCurl, CURLOPT_LOW_SPEED_TIME, 60L);
        if (noDelay)
            curl_easy_setopt(fCurl, CURLOPT_TCP_NODELAY, 1L);
        curl_easy_setopt(fCurl, CURLOPT_WRITEFUNCTION, &TCurlSession::Write);
        curl_easy_setopt(fCurl, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(fCurl, CURLOPT_XFERINFOFUNCTION, &TCurlSession::Progress);
        curl_easy_setopt(fCurl, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(fCurl, CURLOPT_NOPROGRESS, 0L);
    }

    ~TCurlSession() override
    {
        if (fCurl)
            curl_easy_cleanup(fCurl);
        if (fMulti)
            curl_multi_cleanup(fMulti); // closes the cached control connection
    }

    TCurlSession(const TCurlSession &) = delete;
    TCurlSession &operator=(const TCurlSession &) = delete;

    // Connects, logs in and changes into the folder, with no transfer: on the first server of
    // the list that answers, in order.
    bool Enter()
    {
        if (!fCurl || !fMulti)
            return false;
        curl_easy_setopt(fCurl, CURLOPT_NOBODY, 1L);
        CURLcode rc = CURLE_COULDNT_CONNECT;
        for (const QByteArray &base : std::as_const(fBaseUrls)) {
            fBaseUrl = base;
            const QByteArray url = fBaseUrl + '/';
            curl_easy_setopt(fCurl, CURLOPT_URL, url.constData());
            rc = Perform(nullptr);
            if (rc == CURLE_OK || fAbort)
                break;
        }
        curl_easy_setopt(fCurl, CURLOPT_NOBODY, 0L);
        return rc == CURLE_OK;
    }

    // Fetches one file of the folder into target; the failure's text when it fails.
    CURLcode Fetch(const QString &fileName, QByteArray &target)
    {
        const QByteArray url = fBaseUrl + '/' + EncodePath(fileName);
        curl_easy_setopt(fCurl, CURLOPT_URL, url.constData());
        return Perform(&target);
    }

    QString ErrorText(CURLcode rc) const
    {
        return fError[0] ? QString::fromUtf8(fError) : QString::fromUtf8(curl_easy_strerror(rc));
    }

    qint64 Size(const QString &fileName) override
    {
        if (!fCurl || fInTransfer)
            return -1;
        curl_easy_setopt(fCurl, CURLOPT_NOBODY, 1L);
        const QByteArray url = fBaseUrl + '/' + EncodePath(fileName);
        curl_easy_setopt(fCurl, CURLOPT_URL, url.constData());
        curl_off_t size = -1;
        if (Perform(nullptr) != CURLE_OK || curl_easy_getinfo(fCurl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size) != CURLE_OK)
            size = -1;
        curl_easy_setopt(fCurl, CURLOPT_NOBODY, 0L);
        return qint64(size);
    }

    void Abort() override { fAbort = true; }
    bool AbortRequested() const { return fAbort; }

    void WorkBegin()
    {
        if (fCallbacks.OnWorkBegin)
            fCallbacks.OnWorkBegin(*this, wmRead, 0);
    }

    void WorkEnd()
    {
        ReportWork(false);
        if (fCallbacks.OnWorkEnd)
            fCallbacks.OnWorkEnd(*this, wmRead);
    }

    // Tells the caller the bytes received so far: when that changed, or whenever forced.
    void ReportWork(bool force)
    {
        if (!force && fReported == fReceived)
            return;
        fReported = fReceived;
        fSinceReport.start();
        if (fCallbacks.OnWork)
            fCallbacks.OnWork(*this, wmRead, fReceived);
    }

private:
    // Runs one request through the session's multi handle, whose connection cache keeps the one
    // control connection between requests. The wait for socket activity is short: the easy
    // interface waits up to a second when a server's final reply came in with an earlier one,
    // which with small files happens often.
    CURLcode Perform(QByteArray *target)
    {
        fError[0] = 0;
        fTarget = target;
        fInTransfer = true;
        CURLcode rc = CURLE_OK;
        if (curl_multi_add_handle(fMulti, fCurl) != CURLM_OK) {
            rc = CURLE_FAILED_INIT;
        } else {
            int running = 1;
            bool aborted = false;
            while (running > 0) {
                if (curl_multi_perform(fMulti, &running) != CURLM_OK)
                    break;
                if (running > 0)
                    curl_multi_poll(fMulti, nullptr, 0, 10, nullptr);
                Wait();
                if (fAbort) { // ended at once, in whatever phase the request is
                    aborted = true;
                    break;
                }
            }
            int left = 0;
            rc = aborted ? CURLE_ABORTED_BY_CALLBACK : CURLE_RECV_ERROR;
            while (CURLMsg *message = curl_multi_info_read(fMulti, &left)) {
                if (message->msg == CURLMSG_DONE && message->easy_handle == fCurl)
                    rc = message->data.result;
            }
            curl_multi_remove_handle(fMulti, fCurl);
        }
        fInTransfer = false;
        fTarget = nullptr;
        return rc;
    }

    // Lets the caller serve its window while the request waits, every 25 ms or so.
    void Wait()
    {
        if (!fCallbacks.OnWait || (fSinceWait.isValid() && fSinceWait.elapsed() < 25))
            return;
        fSinceWait.start();
        fCallbacks.OnWait(*this);
    }

    static size_t Write(char *data, size_t size, size_t count, void *user)
    {
        auto *self = static_cast<TCurlSession *>(user);
        const size_t bytes = size * count;
        if (self->fAbort)
            return 0;
        if (!self->fTarget)
            return bytes; // the lines libcurl makes up for a request without a transfer
        self->fTarget->append(data, qsizetype(bytes));
        self->fReceived += qint64(bytes);
        return bytes;
    }

    // Called by libcurl often during a transfer and about once a second while it waits: report
    // progress (which lets the caller keep its window alive) and honour an abort.
    static int Progress(void *user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        auto *self = static_cast<TCurlSession *>(user);
        if (self->fAbort)
            return 1;
        // Even when nothing new came, report now and then to keep the caller responsive.
        const bool quiet = !self->fSinceReport.isValid() || self->fSinceReport.elapsed() >= 200;
        if (self->fReported != self->fReceived || quiet)
            self->ReportWork(true);
        return self->fAbort ? 1 : 0;
    }

    CURLM *fMulti = nullptr;
    CURL *fCurl = nullptr;
    QList<QByteArray> fBaseUrls; // one per server of the list
    QByteArray fBaseUrl;         // the one that answered
    const TCloudCallbacks &fCallbacks;
    QByteArray *fTarget = nullptr;
    qint64 fReceived = 0;
    qint64 fReported = 0;
    QElapsedTimer fSinceReport;
    QElapsedTimer fSinceWait;
    bool fAbort = false;
    bool fInTransfer = false;
    char fError[CURL_ERROR_SIZE] = {};
};

// Whether a request failed because the connection is gone, rather than because of its file.
bool ConnectionLost(CURLcode rc)
{
    switch (rc) {
    case CURLE_OK:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_ABORTED_BY_CALLBACK:
    case CURLE_WRITE_ERROR:
        return false;
    default:
        return true;
    }
}

// Refuses a download started from inside another download's callback.
class TCallGuard
{
public:
    TCallGuard() : fEntered(!sBusy) { sBusy = true; }
    ~TCallGuard()
    {
        if (fEntered)
            sBusy = false;
    }
    bool Entered() const { return fEntered; }

private:
    static inline bool sBusy = false;
    bool fEntered;
};

} // namespace

QByteArray TTavelkoCloud::DownLoadFile(const QString &dir, const QString &_file, const TCloudCallbacks &callbacks,
                                       const TServerConfig &config)
{
    QByteArray result;
    TCallGuard guard;
    if (!guard.Entered())
        return result;
    TCurlSession session(config, dir, callbacks, false);
    if (!session.Enter())
        return result;
    session.WorkBegin();
    session.Fetch(_file, result);
    session.WorkEnd();
    return result;
}

TDownloadFiles TTavelkoCloud::DownLoadFiles(const QString &dir, const QStringList &_files,
                                            const TCloudCallbacks &callbacks, const TServerConfig &config)
{
    TCallGuard guard;
    if (!guard.Entered())
        return {};
    DownLoadAborted = false;
    TDownloadFiles result(size_t(_files.size()));
    TCurlSession session(config, dir, callbacks, true);
    if (!session.Enter())
        return {};
    session.WorkBegin();
    QStringList failed;
    QString firstError;
    bool connected = true;
    for (qsizetype i = 0; i < _files.size(); ++i) {
        QByteArray stream;
        CURLcode rc = CURLE_COULDNT_CONNECT;
        if (connected) {
            rc = session.Fetch(_files.at(i), stream);
            // A lost connection gets one more chance; when that fails too, the rest fail at once.
            if (ConnectionLost(rc) && !DownLoadAborted) {
                connected = session.Enter();
                if (connected) {
                    stream.clear();
                    rc = session.Fetch(_files.at(i), stream);
                }
            }
        }
        // A transfer cut short by the abort counts as having returned; the flag decides.
        const bool returned = rc == CURLE_OK || (DownLoadAborted && session.AbortRequested());
        if (returned && DownLoadAborted) {
            FreeStreams(result);
            break;
        }
        if (returned) {
            result[size_t(i)] = std::move(stream);
        } else {
            if (firstError.isEmpty())
                firstError = connected ? session.ErrorText(rc) : session.ErrorText(CURLE_COULDNT_CONNECT);
            failed.append(_files.at(i));
        }
    }
    session.WorkEnd();
    if (!failed.isEmpty() && callbacks.ReportError && !DownLoadAborted)
        callbacks.ReportError(ErrorPrefix + TrFormat(156, {qint32(failed.size()), failed.mid(0, 3).join(QStringLiteral(", ")) +
                                                                                       (failed.size() > 3 ? QStringLiteral(", ...") : QString()),
                                                           firstError}));
    return result;
}

void TTavelkoCloud::FreeStreams(TDownloadFiles &files)
{
    files.clear();
}
