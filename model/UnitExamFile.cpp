// Exam files: the model as a tagged value stream, compressed with zlib level 1.

#include "UnitExamModel.h"

#include "TavelkoError.h"
#include "UnitAtomicSave.h"
#include "UnitExamFileLimits.h"
#include "UnitValueStream.h"
#include "UnitZlib.h"

#include <QFile>

#include <algorithm>

namespace {

[[noreturn]] void Damaged(const QString &why)
{
    throw TTavelkoError(QStringLiteral("The exam file is damaged: %1.").arg(why));
}

// A count of entries; each needs at least one byte, so a count larger than the bytes left cannot
// be honest, and none may exceed what any exam has.
qint64 CheckCount(const TValueReader &reader, qint64 count, qint64 limit, const char *what)
{
    if (count > reader.MaxRemaining())
        Damaged(QStringLiteral("a list announces more %1 than the file holds").arg(QLatin1String(what)));
    if (count > limit)
        Damaged(QStringLiteral("it has more %1 than any exam").arg(QLatin1String(what)));
    return std::max<qint64>(count, 0);
}

// A list announced as "count minus 1".
qint64 ReadListCount(TValueReader &reader, qint64 limit, const char *what)
{
    return CheckCount(reader, qint64(reader.ReadInteger()) + 1, limit, what);
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
    for (qint64 i = ReadListCount(reader, ExamFileLimits::MaxPartsPerSubject, "parts"); i > 0; --i) {
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
    for (qint64 i = ReadListCount(reader, ExamFileLimits::MaxSubjects, "subjects"); i > 0; --i) {
        auto predmet = std::make_unique<TExamPredmet>(QString(), 0, 0, false);
        predmet->Read(reader);
        Predmets.push_back(std::move(predmet));
    }

    const qint64 pairs = CheckCount(reader, reader.ReadInteger(), ExamFileLimits::MaxQuestions, "question ids");
    IDS.reserve(pairs);
    for (qint64 i = 0; i < pairs; ++i) {
        const qint64 key = reader.ReadInt64();
        const qint32 value = reader.ReadInteger();
        if (IDS.contains(key))
            Damaged(QStringLiteral("question id %1 occurs twice").arg(key));
        IDS.insert(key, value);
    }

    images.clear();
    for (qint64 i = ReadListCount(reader, ExamFileLimits::MaxQuestions, "pictures"); i > 0; --i) {
        const qint64 size = reader.ReadInt64();
        if (size > ExamFileLimits::MaxPictureBytes)
            Damaged(QStringLiteral("a picture is larger than any question's"));
        images.append(reader.ReadRaw(size));
    }
}

void TExamModel::ReadFromStream(QByteArrayView stream)
{
    TMemorySource source(stream);
    TValueReader reader(source, ExamFileLimits::MaxTextCharacters);
    ReadValues(reader);
}

void TExamModel::SaveToFile(const QString &fileName) const
{
    QByteArray values;
    WriteToStream(values);

    // The previous file stays untouched until the new one is complete.
    TAtomicFile file(fileName);
    ZlibDeflate(values, 1, [&file](QByteArrayView chunk) { file.Write(chunk); });
    file.Commit();
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
    TInflateSource source(compressed, ExamFileLimits::MaxInflatedBytes);
    TValueReader reader(source, ExamFileLimits::MaxTextCharacters);
    ReadValues(reader);
    source.Finish();
}
