#include "UnitTextLines.h"

#include <QStringDecoder>

QString DecodeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return decoder(QByteArrayView(bytes).sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16BE);
        return decoder(QByteArrayView(bytes).sliced(2));
    }
    // Stateless, so that a sequence cut off at the end counts as an error too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    const qsizetype size = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < size) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

QString TrimBlanks(const QString &s)
{
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && s.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && s.at(last - 1).unicode() <= 0x20)
        --last;
    return s.mid(first, last - first);
}

QStringList TextToLines(const QByteArray &bytes)
{
    return SplitLines(DecodeText(bytes));
}

namespace {

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Optional sign, then digits with at most one "." among them, at least one digit.
bool IsPlainDecimal(const QString &text, bool allowPoint)
{
    qsizetype i = 0;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (IsDigit(c)) {
            digits = true;
        } else if (c == u'.' && allowPoint && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

} // namespace

bool ParseInt32(const QString &text, qint32 &value)
{
    if (!IsPlainDecimal(text, false))
        return false;
    bool ok = false;
    const qint64 wide = text.toLongLong(&ok, 10);
    if (!ok || wide < INT32_MIN || wide > INT32_MAX)
        return false;
    value = static_cast<qint32>(wide);
    return true;
}

bool ParseNumber(const QString &text, double &value)
{
    if (!IsPlainDecimal(text, true))
        return false;
    bool ok = false;
    const double parsed = text.toDouble(&ok);
    if (!ok)
        return false;
    value = parsed;
    return true;
}

bool ParseBoolean(const QString &text, bool &value)
{
    if (text.compare(u"true", Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (text.compare(u"false", Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    double number = 0;
    if (!ParseNumber(text, number))
        return false;
    value = number != 0;
    return true;
}
