// Exam files: the model as a tagged value stream, compressed with zlib level 1.

#include "UnitExamModel.h"

#include "TavelkoError.h"
#include "UnitValueStream.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <limits>

namespace {

[[noreturn]] void Damaged(const QString &why)
{
    throw TTavelkoError(QStringLiteral("The exam file is damaged: %1.").arg(why));
}

// A list announced as "count minus 1"; each record needs at least one byte, so a count larger
// than the bytes left cannot be honest.
qint64 ReadListCount(TValueReader &reader)
{
    const qint64 count = qint64(reader.ReadInteger()) + 1;
    if (count > reader.MaxRemaining())
        Damaged(QStringLiteral("a list announces more entries than the file holds"));
    return std::max<qint64>(count, 0);
}

QString SaveError(const QString &fileName, const QString &why)
{
    return QStringLiteral("Could not save \"%1\": %2").arg(fileName, why);
}

} // namespace

void TPredmetPart::Write(TValueWriter &writer) const
{
    writer.WriteString(Format);
    writer.WriteString(Answer);
    writer.WriteString(UserAnswer);
    writer.WriteInteger(Quotient);
    writer.WriteInteger(Denominator);
    writer.WriteBoolean(WrongRightLead);
    writer.WriteInteger(WrongRightLeadCoef);
    writer.WriteDouble(SubProportion);
}

void TPredmetPart::Read(TValueReader &reader)
{
    Format = reader.ReadString();
    Answer = reader.ReadString();
    UserAnswer = reader.ReadString();
    Quotient = reader.ReadInteger();
    Denominator = reader.ReadInteger();
    WrongRightLead = reader.ReadBoolean();
    WrongRightLeadCoef = reader.ReadInteger();
    SubProportion = reader.ReadDouble();
    const QString error = InvariantError();
    if (!error.isEmpty())
        Damaged(error);
}

void TExamPredmet::Write(TValueWriter &writer) const
{
    writer.WriteString(Name);
    writer.WriteInteger(Index);
    writer.WriteInteger(BaseIndex);
    writer.WriteBoolean(SubExists);
    writer.WriteInteger(qint32(Parts.size()) - 1);
    for (const auto &part : Parts)
        part->Write(writer);
}

void TExamPredmet::Read(TValueReader &reader)
{
    Name = reader.ReadString();
    Index = reader.ReadInteger();
    BaseIndex = reader.ReadInteger();
    SubExists = reader.ReadBoolean();
    Parts.clear();
    for (qint64 i = ReadListCount(reader); i > 0; --i) {
        auto part = std::make_unique<TPredmetPart>(QString(), 1, 1, false, 1, 1.0);
        part->Read(reader);
        Parts.push_back(std::move(part));
    }
}

void TExamModel::WriteToStream(QByteArray &stream) const
{
    qsizetype pictureBytes = 0;
    for (const QByteArray &image : images)
        pictureBytes += image.size() + 9;
    stream.reserve(stream.size() + pictureBytes + 4096);

    TValueWriter writer(stream);
    writer.WriteString(GUIDStr);
    writer.WriteString(CreatedDeviceGUID);
    writer.WriteString(Name);
    writer.WriteInteger(Time);
    writer.WriteInteger(RestTime);
    writer.WriteInteger(WarningTime);
    writer.WriteInteger(Price);
    writer.WriteBoolean(Finished);
    writer.WriteInteger(LastFocusedIndex);
    writer.WriteInteger(qint32(Predmets.size()) - 1);
    for (const auto &predmet : Predmets)
        predmet->Write(writer);
    writer.WriteInteger(qint32(IDS.size()));
    for (auto it = IDS.cbegin(); it != IDS.cend(); ++it) {
        writer.WriteInt64(it.key());
        writer.WriteInteger(it.value());
    }
    writer.WriteInteger(qint32(images.size()) - 1);
    for (const QByteArray &image : images) {
        writer.WriteInt64(image.size());
        writer.WriteRaw(image);
    }
}

void TExamModel::ReadValues(TValueReader &reader)
{
    GUIDStr = reader.ReadString();
    CreatedDeviceGUID = reader.ReadString();
    Name = reader.ReadString();
    Time = reader.ReadInteger();
    RestTime = reader.ReadInteger();
    WarningTime = reader.ReadInteger();
    Price = reader.ReadInteger();
    Finished = reader.ReadBoolean();
    LastFocusedIndex = reader.ReadInteger();

    Predmets.clear();
    for (qint64 i = ReadListCount(reader); i > 0; --i) {
        auto predmet = std::make_unique<TExamPredmet>(QString(), 0, 0, false);
        predmet->Read(reader);
        Predmets.push_back(std::move(predmet));
    }

    const qint32 pairs = reader.ReadInteger();
    if (pairs > reader.MaxRemaining())
        Damaged(QStringLiteral("the question ids announce more pairs than the file holds"));
    for (qint32 i = 0; i < pairs; ++i) {
        const qint64 key = reader.ReadInt64();
        const qint32 value = reader.ReadInteger();
        if (IDS.contains(key))
            Damaged(QStringLiteral("question id %1 occurs twice").arg(key));
        IDS.insert(key, value);
    }

    images.clear();
    for (qint64 i = ReadListCount(reader); i > 0; --i)
        images.append(reader.ReadRaw(reader.ReadInt64()));
}

void TExamModel::ReadFromStream(QByteArrayView stream)
{
    TMemorySource source(stream);
    TValueReader reader(source);
    ReadValues(reader);
}

void TExamModel::SaveToFile(const QString &fileName) const
{
    QByteArray values;
    WriteToStream(values);

    // The previous file stays untouched until the new one is complete.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw TTavelkoError(SaveError(fileName, file.errorString()));

    z_stream stream{};
    if (deflateInit(&stream, 1) != Z_OK)
        throw TTavelkoError(SaveError(fileName, QStringLiteral("not enough memory")));
    struct TDeflateEnd { z_stream *s; ~TDeflateEnd() { deflateEnd(s); } } deflateEnd{&stream};

    QByteArray chunk(256 * 1024, Qt::Uninitialized);
    qsizetype offset = 0;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        const qsizetype take = std::min<qsizetype>(values.size() - offset, std::numeric_limits<uInt>::max() / 2);
        stream.next_in = reinterpret_cast<Bytef *>(values.data() + offset);
        stream.avail_in = uInt(take);
        const bool last = offset + take == values.size();
        do {
            stream.next_out = reinterpret_cast<Bytef *>(chunk.data());
            stream.avail_out = uInt(chunk.size());
            rc = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            if (rc == Z_STREAM_ERROR)
                throw TTavelkoError(SaveError(fileName, QStringLiteral("compression failed")));
            const qsizetype produced = chunk.size() - stream.avail_out;
            if (file.write(chunk.constData(), produced) != produced)
                throw TTavelkoError(SaveError(fileName, file.errorString()));
        } while (stream.avail_out == 0 || (last && rc != Z_STREAM_END));
        offset += take;
    }
    if (!file.commit())
        throw TTavelkoError(SaveError(fileName, file.errorString()));
}

void TExamModel::LoadFromStream(const QString &fileName)
{
    QFile file(fileName);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw TTavelkoError(QStringLiteral("Could not open \"%1\": %2").arg(fileName, file.errorString()));
    // Mapped rather than read: the inflater reads the page cache directly, with no copy.
    QByteArray copy;
    QByteArrayView compressed;
    if (const uchar *mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr) {
        compressed = QByteArrayView(mapped, file.size());
    } else {
        copy = file.readAll();
        compressed = copy;
    }

    ReadFromCompressed(compressed);
}

void TExamModel::ReadFromCompressed(QByteArrayView compressed)
{
    TInflateSource source(compressed);
    TValueReader reader(source);
    ReadValues(reader);
    source.Finish();
}
