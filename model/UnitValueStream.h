#pragma once

#include <QByteArray>
#include <QString>

#include "UnitZlib.h"

// The tagged value stream of exam files: every value starts with a one-byte tag, numbers are
// little-endian, picture bytes go raw.
enum TValueTag : quint8 {
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaString = 0x06,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaLString = 0x0C,
    vaWString = 0x12,
    vaInt64 = 0x13,
    vaUTF8String = 0x14,
    vaDouble = 0x15,
};

// Appends values to a byte array.
class TValueWriter
{
public:
    explicit TValueWriter(QByteArray &out) : fOut(out) {}

    void WriteInteger(qint32 value);
    void WriteInt64(qint64 value);
    void WriteBoolean(bool value);
    void WriteDouble(double value);
    void WriteString(const QString &value);
    void WriteRaw(QByteArrayView bytes);

private:
    void WriteTag(TValueTag tag);
    template <typename T> void WriteLittleEndian(T value);

    QByteArray &fOut;
};

// Where a reader's bytes come from. MaxRemaining bounds what the source can still deliver, so
// that no count read from the data makes the reader allocate more than the data could hold.
class TByteSource
{
public:
    virtual ~TByteSource() = default;
    // Up to max bytes into dst; 0 only at the end of the data. Raises TTavelkoError on damage.
    virtual qint64 ReadSome(char *dst, qint64 max) = 0;
    virtual qint64 MaxRemaining() const = 0;
};

class TMemorySource final : public TByteSource
{
public:
    explicit TMemorySource(QByteArrayView data) : fData(data) {}
    qint64 ReadSome(char *dst, qint64 max) override;
    qint64 MaxRemaining() const override { return fData.size() - fPos; }

private:
    QByteArrayView fData;
    qint64 fPos = 0;
};

// Inflates a zlib stream held in memory as the reader asks for bytes, up to maxOutput bytes.
class TInflateSource final : public TByteSource
{
public:
    TInflateSource(QByteArrayView compressed, qint64 maxOutput);

    qint64 ReadSome(char *dst, qint64 max) override;
    qint64 MaxRemaining() const override;
    // Inflates what the reader left and checks that the stream ends whole with a valid checksum.
    void Finish();

private:
    TZlibInflater fInflater;
};

// Reads values through a 4096-byte buffer. Every failure raises TTavelkoError. The characters of
// all strings together may not exceed textBudget.
class TValueReader
{
public:
    TValueReader(TByteSource &source, qint64 textBudget) : fSource(source), fTextLeft(textBudget) {}

    qint32 ReadInteger();
    qint64 ReadInt64();
    bool ReadBoolean();
    double ReadDouble();
    QString ReadString();
    QByteArray ReadRaw(qint64 count);
    // Bytes that may still come: a bound, exact for a memory source.
    qint64 MaxRemaining() const { return (fEnd - fPos) + fSource.MaxRemaining(); }

private:
    quint8 ReadTag();
    void ReadBytes(char *dst, qint64 count);
    template <typename T> T ReadLittleEndian();
    qint64 ReadIntegerWithTag(quint8 tag, const char *expected);
    qint32 ReadLength();
    void CheckAvailable(qint64 count);
    void SpendText(qint64 characters);

    TByteSource &fSource;
    char fBuffer[4096];
    qint64 fPos = 0;
    qint64 fEnd = 0;
    qint64 fTextLeft;
};
