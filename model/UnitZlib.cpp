#include "UnitZlib.h"

#include "TavelkoError.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

namespace {

// zlib counts in 32 bits; hand it at most this much at a time.
constexpr qint64 ZlibChunk = 1 << 30;

} // namespace

TZlibInflater::TZlibInflater(QByteArrayView compressed, qint64 maxOutput)
    : fNextIn(compressed.data()), fInputLeft(compressed.size()), fMaxOutput(maxOutput)
{
    if (inflateInit(&fStream) != Z_OK)
        throw std::bad_alloc();
}

TZlibInflater::~TZlibInflater()
{
    inflateEnd(&fStream);
}

QString TZlibInflater::Detail() const
{
    return QLatin1String(fStream.msg ? fStream.msg : "not a zlib stream");
}

TZlibInflater::TStatus TZlibInflater::Inflate(char *dst, qint64 max, qint64 &produced)
{
    produced = 0;
    if (fEnded)
        return End;
    // One byte more than the limit allows, so that a stream going over it is seen going over.
    max = std::min({max, fMaxOutput - fTotalOut + 1, ZlibChunk});
    while (produced == 0 && max > 0) {
        if (fStream.avail_in == 0 && fInputLeft > 0) {
            const qint64 take = std::min(fInputLeft, ZlibChunk);
            fStream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(fNextIn));
            fStream.avail_in = uInt(take);
            fNextIn += take;
            fInputLeft -= take;
        }
        fStream.next_out = reinterpret_cast<Bytef *>(dst);
        fStream.avail_out = uInt(max);
        const int rc = inflate(&fStream, Z_NO_FLUSH);
        produced = max - fStream.avail_out;
        fTotalOut += produced;
        if (fTotalOut > fMaxOutput)
            return OverLimit;
        if (rc == Z_STREAM_END) {
            fEnded = true;
            return produced > 0 ? Ok : End;
        }
        if (rc == Z_BUF_ERROR || (rc == Z_OK && produced == 0 && InputLeft() == 0))
            return Truncated;
        if (rc != Z_OK)
            return Damaged;
    }
    return Ok;
}

TZlibDeflater::TZlibDeflater(int level, TSink sink) : fSink(std::move(sink)), fChunk(256 * 1024, Qt::Uninitialized)
{
    if (deflateInit(&fStream, level) != Z_OK)
        throw std::bad_alloc();
}

TZlibDeflater::~TZlibDeflater()
{
    deflateEnd(&fStream);
}

void TZlibDeflater::Add(QByteArrayView data)
{
    for (qsizetype offset = 0; offset < data.size(); offset += ZlibChunk)
        Deflate(data.sliced(offset, std::min<qsizetype>(data.size() - offset, ZlibChunk)), Z_NO_FLUSH);
}

void TZlibDeflater::Finish()
{
    Deflate(QByteArrayView(), Z_FINISH);
}

void TZlibDeflater::Deflate(QByteArrayView data, int flush)
{
    fStream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    fStream.avail_in = uInt(data.size());
    int rc = Z_OK;
    do {
        fStream.next_out = reinterpret_cast<Bytef *>(fChunk.data());
        fStream.avail_out = uInt(fChunk.size());
        rc = deflate(&fStream, flush);
        if (rc == Z_STREAM_ERROR)
            throw TTavelkoError(QStringLiteral("compression failed"));
        if (fStream.avail_out < uInt(fChunk.size()))
            fSink(QByteArrayView(fChunk.constData(), fChunk.size() - fStream.avail_out));
    } while (fStream.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
}

void ZlibDeflate(QByteArrayView data, int level, const TZlibDeflater::TSink &sink)
{
    TZlibDeflater deflater(level, sink);
    deflater.Add(data);
    deflater.Finish();
}

QByteArray ZlibCompress(QByteArrayView data, int level)
{
    QByteArray out;
    ZlibDeflate(data, level, [&out](QByteArrayView chunk) { out.append(chunk.data(), chunk.size()); });
    return out;
}
