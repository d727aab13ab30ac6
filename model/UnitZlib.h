#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

#include <zlib.h>

// The one zlib codec of the programs (RFC 1950 streams): exam files are written and read through
// it, and the updater inflates the downloaded client with it.

// Inflates a stream held in memory, a piece at a time, with a bound on what it may produce.
class TZlibInflater
{
public:
    enum TStatus { Ok, End, Truncated, Damaged, OverLimit };

    // maxOutput: the most bytes the stream may inflate to; more is refused as OverLimit.
    TZlibInflater(QByteArrayView compressed, qint64 maxOutput);
    ~TZlibInflater();
    TZlibInflater(const TZlibInflater &) = delete;
    TZlibInflater &operator=(const TZlibInflater &) = delete;

    // Inflates up to max bytes into dst and tells how many came in produced. Ok with at least one
    // byte produced, or End once the stream has ended whole with a valid checksum; any other
    // status is final.
    TStatus Inflate(char *dst, qint64 max, qint64 &produced);

    bool Ended() const { return fEnded; }
    qint64 TotalOut() const { return fTotalOut; }
    qint64 MaxOutput() const { return fMaxOutput; }
    // Compressed bytes not yet consumed.
    qint64 InputLeft() const { return fInputLeft + fStream.avail_in; }
    // zlib's word on a Damaged stream.
    QString Detail() const;

private:
    z_stream fStream{};
    const char *fNextIn = nullptr;
    qint64 fInputLeft = 0; // beyond what fStream holds: zlib counts in 32 bits
    qint64 fMaxOutput = 0;
    qint64 fTotalOut = 0;
    bool fEnded = false;
};

// Compresses data fed in pieces and hands the compressed bytes to sink a chunk at a time. The
// sink may raise; nothing leaks.
class TZlibDeflater
{
public:
    using TSink = std::function<void(QByteArrayView chunk)>;

    TZlibDeflater(int level, TSink sink);
    ~TZlibDeflater();
    TZlibDeflater(const TZlibDeflater &) = delete;
    TZlibDeflater &operator=(const TZlibDeflater &) = delete;

    void Add(QByteArrayView data);
    // Ends the stream; nothing may be added after.
    void Finish();

private:
    void Deflate(QByteArrayView data, int flush);

    z_stream fStream{};
    TSink fSink;
    QByteArray fChunk;
};

// Compresses data in one pass.
void ZlibDeflate(QByteArrayView data, int level, const TZlibDeflater::TSink &sink);

// Compresses data into a byte array.
QByteArray ZlibCompress(QByteArrayView data, int level = Z_BEST_COMPRESSION);
