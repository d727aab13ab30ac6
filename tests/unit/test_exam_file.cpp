#include "ExamFixtures.h"
#include "TavelkoError.h"
#include "UnitExamFileLimits.h"
#include "UnitValueStream.h"
#include "UnitZlib.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char *hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

QByteArray Encode(const TExamModel &model)
{
    QByteArray stream;
    model.WriteToStream(stream);
    return stream;
}

QByteArray Compress(const QByteArray &data)
{
    return ZlibCompress(data, 1);
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ExpectSameExam(const TExamModel &a, const TExamModel &b)
{
    EXPECT_EQ(a.GUIDStr, b.GUIDStr);
    EXPECT_EQ(a.CreatedDeviceGUID, b.CreatedDeviceGUID);
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Time, b.Time);
    EXPECT_EQ(a.RestTime, b.RestTime);
    EXPECT_EQ(a.WarningTime, b.WarningTime);
    EXPECT_EQ(a.Price, b.Price);
    EXPECT_EQ(a.Finished, b.Finished);
    EXPECT_EQ(a.LastFocusedIndex, b.LastFocusedIndex);
    ASSERT_EQ(a.Predmets.size(), b.Predmets.size());
    for (size_t i = 0; i < a.Predmets.size(); ++i) {
        const TExamPredmet &pa = *a.Predmets[i], &pb = *b.Predmets[i];
        EXPECT_EQ(pa.Name, pb.Name);
        EXPECT_EQ(pa.Index, pb.Index);
        EXPECT_EQ(pa.BaseIndex, pb.BaseIndex);
        EXPECT_EQ(pa.SubExists, pb.SubExists);
        ASSERT_EQ(pa.Parts.size(), pb.Parts.size());
        for (size_t j = 0; j < pa.Parts.size(); ++j) {
            const TPredmetPart &x = *pa.Parts[j], &y = *pb.Parts[j];
            EXPECT_EQ(x.Format, y.Format);
            EXPECT_EQ(x.Answer, y.Answer);
            EXPECT_EQ(x.UserAnswer, y.UserAnswer);
            EXPECT_EQ(x.Quotient, y.Quotient);
            EXPECT_EQ(x.Denominator, y.Denominator);
            EXPECT_EQ(x.WrongRightLead, y.WrongRightLead);
            EXPECT_EQ(x.WrongRightLeadCoef, y.WrongRightLeadCoef);
            EXPECT_EQ(x.SubProportion, y.SubProportion);
        }
    }
    EXPECT_EQ(a.IDS, b.IDS);
    EXPECT_EQ(a.images, b.images);
}

} // namespace

TEST(ExamFile, WorkedExampleEncodesToItsBytes)
{
    TExamModel model("X", 3600, 600);
    model.GUIDStr = "ab";
    model.RestTime = 100;
    EXPECT_EQ(Encode(model).toHex(' '),
              Hex("06 02 61 62 12 00 00 00 00 06 01 58 03 10 0E 02 64 03 58 02 02 00 08 02 FF 02 FF 02 00 02 FF").toHex(' '));
}

TEST(ExamFile, ValueTags)
{
    struct Case { const char *name; std::function<void(TValueWriter &)> write; const char *hex; };
    const QString azeri = QString::fromUtf8("Əli Şahin");
    const Case cases[] = {
        {"-1", [](TValueWriter &w) { w.WriteInteger(-1); }, "02 FF"},
        {"3600", [](TValueWriter &w) { w.WriteInteger(3600); }, "03 10 0E"},
        {"40000", [](TValueWriter &w) { w.WriteInteger(40000); }, "04 40 9C 00 00"},
        {"-32769", [](TValueWriter &w) { w.WriteInteger(-32769); }, "04 FF 7F FF FF"},
        {"id 2147483647", [](TValueWriter &w) { w.WriteInt64(2147483647); }, "04 FF FF FF 7F"},
        {"id 2147483648", [](TValueWriter &w) { w.WriteInt64(2147483648LL); }, "13 00 00 00 80 00 00 00 00"},
        {"true", [](TValueWriter &w) { w.WriteBoolean(true); }, "09"},
        {"0.5", [](TValueWriter &w) { w.WriteDouble(0.5); }, "15 00 00 00 00 00 00 E0 3F"},
        {"two-byte word", [](TValueWriter &w) { w.WriteString(QString::fromUtf8("Әә")); }, "12 02 00 00 00 D8 04 D9 04"},
        {"three-byte word", [](TValueWriter &w) { w.WriteString(QString::fromUtf8("€")); }, "12 01 00 00 00 AC 20"},
        {"mixed with a blank", [&](TValueWriter &w) { w.WriteString(azeri); },
         "14 0B 00 00 00 C6 8F 6C 69 20 C5 9E 61 68 69 6E"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray out;
        TValueWriter writer(out);
        c.write(writer);
        EXPECT_EQ(out.toHex(' '), Hex(c.hex).toHex(' '));
    }

    QByteArray out;
    TValueWriter writer(out);
    writer.WriteString(QString(255, 'x'));
    EXPECT_EQ(out.left(2), Hex("06 FF"));
    out.clear();
    writer.WriteString(QString(256, 'x'));
    EXPECT_EQ(out.left(5), Hex("0C 00 01 00 00"));
}

TEST(ExamFile, ReaderAcceptsEveryTagOfAKind)
{
    const QByteArray stream = Hex("06 01 41  0C 01 00 00 00 42  12 01 00 00 00 D8 04  14 02 00 00 00 C6 8F"
                                  "02 FE  03 00 80  04 00 00 00 80"
                                  "13 00 00 00 00 01 00 00 00  02 05"
                                  "08 09  15 00 00 00 00 00 00 F8 3F  03 10 0E  13 02 00 00 00 00 00 00 00");
    TMemorySource source(stream);
    TValueReader reader(source, ExamFileLimits::MaxTextCharacters);
    EXPECT_EQ(reader.ReadString(), "A");
    EXPECT_EQ(reader.ReadString(), "B");
    EXPECT_EQ(reader.ReadString(), QString::fromUtf8("Ә"));
    EXPECT_EQ(reader.ReadString(), QString::fromUtf8("Ə"));
    EXPECT_EQ(reader.ReadInteger(), -2);
    EXPECT_EQ(reader.ReadInteger(), -32768);
    EXPECT_EQ(reader.ReadInteger(), INT32_MIN);
    EXPECT_EQ(reader.ReadInt64(), 4294967296LL);
    EXPECT_EQ(reader.ReadInt64(), 5);
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_EQ(reader.ReadDouble(), 1.5);
    EXPECT_EQ(reader.ReadDouble(), 3600.0);
    EXPECT_EQ(reader.ReadDouble(), 2.0);
    EXPECT_THROW(reader.ReadInteger(), TTavelkoError) << "at the end";

    const QByteArray int64Only = Hex("13 00 00 00 00 00 00 00 00");
    TMemorySource wrong(int64Only);
    TValueReader wrongReader(wrong, ExamFileLimits::MaxTextCharacters);
    EXPECT_THROW(wrongReader.ReadInteger(), TTavelkoError) << "a 64-bit tag is no integer";
}

TEST(ExamFile, CountsOfPairsAndPictures)
{
    TExamModel model("", 0, 0);
    AddPart(AddPredmet(model, "P"), "#", QString(30, 'A'));
    for (int i = 0; i < 30; ++i) {
        model.IDS.insert(i + 1, i);
        model.images.append(QByteArray(1, char(i)));
    }
    const QByteArray stream = Encode(model);
    TExamModel bare("", 0, 0);
    AddPart(AddPredmet(bare, "P"), "#", QString(30, 'A'));
    const qsizetype pairsAt = Encode(bare).size() - 4; // before "02 00 02 FF"
    EXPECT_EQ(stream.mid(pairsAt, 2), Hex("02 1E")) << "30 pairs written as 30";
    // each picture: size 02 01, then its one byte
    EXPECT_EQ(stream.mid(stream.size() - 30 * 3 - 2, 2), Hex("02 1D")) << "30 pictures announced as 29";
}

TEST(ExamFile, RoundTripThroughAFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8("imtahan Ə.qmvx"));
    const auto original = MakeFullExam();
    original->Finished = true;
    original->SaveToFile(path);

    const QByteArray bytes = ReadFile(path);
    EXPECT_EQ(bytes.left(2), Hex("78 01")) << "zlib level 1";
    EXPECT_EQ(bytes, Compress(Encode(*original))) << "nothing before or after the zlib stream";

    TExamModel loaded("", 0, 0);
    loaded.LoadFromStream(path);
    ExpectSameExam(*original, loaded);
    EXPECT_TRUE(loaded.Saveable());

    TExamModel untouched("keep", 1, 2);
    untouched.LoadFromStream(dir.filePath("missing.qmvx"));
    EXPECT_EQ(untouched.Name, "keep");
}

TEST(ExamFile, FailedSaveKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("exam.qmvx");
    MakeFullExam()->SaveToFile(path);
    const QByteArray before = ReadFile(path);

    const QString blocked = dir.filePath("folder.qmvx");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.qmvx"));
    EXPECT_THROW(MakeFullExam()->SaveToFile(blocked), TTavelkoError);
    EXPECT_THROW(MakeFullExam()->SaveToFile(dir.filePath("no/such/folder/x.qmvx")), TTavelkoError);
    EXPECT_EQ(ReadFile(path), before);
}

TEST(ExamFile, EveryTruncationFailsCleanly)
{
    TExamModel model("", 0, 0);
    AddPart(AddPredmet(model, QString::fromUtf8("Ад")), "#", "AB");
    model.IDS.insert(1, 0);
    model.IDS.insert(2, 1);
    model.images = {QByteArray("png0"), QByteArray("png1")};
    const QByteArray stream = Encode(model);
    for (qsizetype cut = 0; cut < stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        TExamModel target("", 0, 0);
        EXPECT_THROW(target.ReadFromStream(QByteArrayView(stream).first(cut)), TTavelkoError);
    }

    QTemporaryDir dir;
    const QByteArray file = Compress(stream);
    const QString path = dir.filePath("cut.qmvx");
    for (qsizetype cut = 0; cut < file.size(); ++cut) {
        SCOPED_TRACE(cut);
        WriteFile(path, file.first(cut));
        TExamModel target("", 0, 0);
        EXPECT_THROW(target.LoadFromStream(path), TTavelkoError);
    }
}

TEST(ExamFile, DamagedFilesAreRejected)
{
    const QByteArray head = Hex("06 01 67 06 00 06 01 4E 02 00 02 00 02 00 02 00 08 02 FF");
    const QByteArray subject = Hex("02 00 06 01 53 02 01 02 01 08 02 00");
    auto part = [](const char *format, const char *answer, const char *user, const char *numbers) {
        QByteArray bytes;
        TValueWriter writer(bytes);
        writer.WriteString(QString::fromLatin1(format));
        writer.WriteString(QString::fromLatin1(answer));
        writer.WriteString(QString::fromLatin1(user));
        return bytes + Hex(numbers);
    };
    const char *good = "02 01 02 01 08 02 01 15 00 00 00 00 00 00 F0 3F";
    const QByteArray tail = Hex("02 00 02 FF");
    struct Case { const char *name; QByteArray stream; };
    const Case cases[] = {
        {"a valid file", head + subject + part("#", "AB", "##", good) + tail},
        {"unknown tag", Hex("07 00")},
        {"string longer than the data", Hex("0C FF FF FF 7F 41")},
        {"negative string length", Hex("14 FF FF FF FF")},
        {"UTF-16 count beyond the data", Hex("12 00 00 00 40")},
        {"huge subject count", head + Hex("04 FF FF FF 7F")},
        {"huge pair count", head + Hex("02 FF 04 FF FF FF 7F")},
        {"huge picture size", head + Hex("02 FF 02 00 02 00 13 00 00 00 00 00 00 00 40 AA")},
        {"negative picture size", head + Hex("02 FF 02 00 02 00 02 FF")},
        {"duplicate id", head + Hex("02 FF 02 02 02 07 02 00 02 07 02 01 02 FF")},
        {"empty format", head + subject + part("", "", "", good) + tail},
        {"zero denominator", head + subject + part("#", "AB", "##", "02 01 02 00 08 02 01 15 00 00 00 00 00 00 F0 3F") + tail},
        {"zero coefficient", head + subject + part("#", "AB", "##", "02 01 02 01 08 02 00 15 00 00 00 00 00 00 F0 3F") + tail},
        {"short learner answers", head + subject + part("(######)", "(1#####)", "(###", good) + tail},
        {"answers not whole questions", head + subject + part("(######)", "(1#####)(", "(######)(", good) + tail},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TExamModel model("", 0, 0);
        if (&c == &cases[0])
            EXPECT_NO_THROW(model.ReadFromStream(c.stream));
        else
            EXPECT_THROW(model.ReadFromStream(c.stream), TTavelkoError);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("x.qmvx");
    QByteArray badChecksum = Compress(cases[0].stream);
    badChecksum[badChecksum.size() - 1] = char(badChecksum.back() ^ 1);
    for (const QByteArray &bytes : {QByteArray("not a zlib stream"), badChecksum, Compress("\x13")}) {
        WriteFile(path, bytes);
        TExamModel model("", 0, 0);
        EXPECT_THROW(model.LoadFromStream(path), TTavelkoError);
    }
}

TEST(ExamFile, RandomCorruptionsNeverCrash)
{
    const QByteArray stream = Encode(*MakeFullExam());
    const QByteArray file = Compress(stream);
    QRandomGenerator random(20261211);
    QTemporaryDir dir;
    const QString path = dir.filePath("fuzz.qmvx");
    int rejected = 0;
    for (int round = 0; round < 3000; ++round) {
        const bool compressed = round % 4 == 0;
        QByteArray bytes = compressed ? file : stream;
        const int flips = 1 + int(random.bounded(4));
        for (int f = 0; f < flips; ++f)
            bytes[random.bounded(bytes.size())] = char(random.bounded(256));
        TExamModel model("", 0, 0);
        try {
            if (compressed) {
                WriteFile(path, bytes);
                model.LoadFromStream(path);
            } else {
                model.ReadFromStream(bytes);
            }
        } catch (const TTavelkoError &) {
            ++rejected;
            continue;
        }
        // Whatever was accepted keeps the rules the rest of the program relies on.
        for (const auto &predmet : model.Predmets)
            for (const auto &part : predmet->Parts)
                EXPECT_TRUE(part->InvariantError().isEmpty());
        model.TotalResult();
        model.ResetUserAnswers();
    }
    EXPECT_GT(rejected, 0);
}

namespace {

// A zlib stream of the values followed by many zeros, made without holding the zeros in memory.
QByteArray CompressWithZeros(const QByteArray &values, qint64 zeros)
{
    QByteArray out;
    TZlibDeflater deflater(9, [&out](QByteArrayView chunk) { out.append(chunk.data(), chunk.size()); });
    deflater.Add(values);
    const QByteArray block(1 << 20, '\0');
    for (; zeros > 0; zeros -= block.size())
        deflater.Add(QByteArrayView(block).first(std::min<qint64>(zeros, block.size())));
    deflater.Finish();
    return out;
}

QByteArray Values(const std::function<void(TValueWriter &)> &write)
{
    QByteArray bytes;
    TValueWriter writer(bytes);
    write(writer);
    return bytes;
}

} // namespace

// Files made to cost memory or time: each is small, and each is refused as damaged before it
// costs more than any real exam.
TEST(ExamFile, HostileFilesAreRefused)
{
    // GUID, device, name, times, price, finished, last question.
    const QByteArray head = Hex("06 01 67 06 00 06 01 4E 02 00 02 00 02 00 02 00 08 02 FF");
    const QByteArray subjectHead = Hex("06 01 53 02 01 02 01 08");
    const QByteArray noSubjects = Hex("02 FF"), noPairs = Hex("02 00");
    const qint64 huge = 10'000'000;
    auto count = [](qint64 n) { return Values([n](TValueWriter &w) { w.WriteInteger(qint32(n)); }); };
    QByteArray longAnswers;
    for (int part = 0; part < 48; ++part)
        longAnswers += Values([](TValueWriter &w) {
            w.WriteString("#");
            w.WriteString(QString(100'000, 'A'));
            w.WriteString(QString(100'000, '#'));
            w.WriteInteger(1), w.WriteInteger(1), w.WriteBoolean(false), w.WriteInteger(1), w.WriteDouble(1);
        });
    const struct { const char *name; QByteArray values; qint64 zeros; } cases[] = {
        {"ten million subjects", head + count(huge - 1), 16 << 20},
        {"ten million parts of a subject", head + count(0) + subjectHead + count(huge - 1), 16 << 20},
        {"ten million question ids", head + noSubjects + count(huge), 16 << 20},
        {"ten million pictures", head + noSubjects + noPairs + count(huge - 1), 16 << 20},
        {"an exam name of 8 million characters", Hex("06 01 67 06 00 0C 00 00 80 00"), 16 << 20},
        {"answers of 9.6 million characters", head + count(0) + subjectHead + count(47) + longAnswers, 0},
        {"a picture of 100 MB", head + noSubjects + noPairs + count(0) + Hex("04 00 00 40 06"), 1 << 20},
        {"300 MB of data after a whole exam", head + noSubjects + noPairs + count(-1), qint64(300) << 20},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("hostile.qmvx");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray file = CompressWithZeros(c.values, c.zeros);
        EXPECT_LE(file.size(), 1 << 20);
        WriteFile(path, file);
        TExamModel model("", 0, 0);
        try {
            model.LoadFromStream(path);
            ADD_FAILURE() << "loaded";
        } catch (const TTavelkoError &error) {
            EXPECT_TRUE(error.Message().startsWith("The exam file is damaged")) << error.Message().toStdString();
        }
    }
    // The same exam without the trailing data is a whole, empty exam.
    TExamModel model("", 0, 0);
    EXPECT_NO_THROW(model.ReadFromCompressed(Compress(head + noSubjects + noPairs + count(-1))));
}

TEST(Zlib, InflaterStopsAtItsLimitAndAtDamage)
{
    const QByteArray data(5000, 'z');
    const QByteArray compressed = ZlibCompress(data);
    char buffer[1024];
    const auto drain = [&](QByteArrayView input, qint64 limit, qint64 &total) {
        TZlibInflater inflater(input, limit);
        total = 0;
        for (;;) {
            qint64 produced = 0;
            const TZlibInflater::TStatus status = inflater.Inflate(buffer, sizeof buffer, produced);
            total += produced;
            if (status != TZlibInflater::Ok)
                return status;
        }
    };
    qint64 total = 0;
    EXPECT_EQ(drain(compressed, 5000, total), TZlibInflater::End);
    EXPECT_EQ(total, 5000);
    EXPECT_EQ(drain(compressed, 4999, total), TZlibInflater::OverLimit);
    EXPECT_LE(total, 5000);
    EXPECT_EQ(drain(QByteArrayView(compressed).first(compressed.size() - 1), 1 << 20, total), TZlibInflater::Truncated);
    EXPECT_EQ(drain(QByteArrayView(), 1 << 20, total), TZlibInflater::Truncated);
    EXPECT_EQ(drain("junk that is no zlib", 1 << 20, total), TZlibInflater::Damaged);
}
