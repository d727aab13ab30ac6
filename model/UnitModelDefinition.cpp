// The model definition text ("%d.ttprf"): one keyword per line, read strictly in order.

#include "UnitExamModel.h"

#include "UnitTextLines.h"

namespace {

// Reads keyword lines in sequence. Any mismatch or unparsable value sets the reader failed for
// good, so that the caller can chain reads and test once.
class TKeyLineReader
{
public:
    explicit TKeyLineReader(QStringList lines) : fLines(std::move(lines)) {}

    bool Failed() const { return fFailed; }

    bool PeekKeyLine(const QString &keyword) const
    {
        return !fFailed && Matches(fLine + 1, keyword);
    }

    bool ReadKeyLine(const QString &keyword)
    {
        if (fFailed)
            return false;
        ++fLine;
        if (!Matches(fLine, keyword))
            return Fail();
        fValue = TrimBlanks(fLines.at(fLine)).mid(keyword.size());
        return true;
    }

    QString Text(const QString &keyword) { return ReadKeyLine(keyword) ? fValue : QString(); }

    qint32 Integer(const QString &keyword)
    {
        qint32 value = 0;
        if (ReadKeyLine(keyword) && !ParseInt32(fValue, value))
            Fail();
        return value;
    }

    bool Boolean(const QString &keyword)
    {
        bool value = false;
        if (ReadKeyLine(keyword) && !ParseBoolean(fValue, value))
            Fail();
        return value;
    }

    double Number(const QString &keyword)
    {
        double value = 0;
        if (ReadKeyLine(keyword) && !ParseNumber(fValue, value))
            Fail();
        return value;
    }

private:
    bool Matches(qsizetype line, const QString &keyword) const
    {
        return line < fLines.size() && TrimBlanks(fLines.at(line)).startsWith(keyword, Qt::CaseSensitive);
    }

    bool Fail()
    {
        fFailed = true;
        return false;
    }

    QStringList fLines;
    qsizetype fLine = -1; // the current line; starts before the first
    QString fValue;
    bool fFailed = false;
};

const QString KeyEnd = QStringLiteral("#End");

void ReadPart(TKeyLineReader &in, TPredmetPart &part)
{
    in.ReadKeyLine(QStringLiteral("#Part"));
    part.Format = in.Text(QStringLiteral("#Format = "));
    part.Answer = in.Text(QStringLiteral("#Answer = "));
    part.UserAnswer = in.Text(QStringLiteral("#UserAnswer = "));
    part.Quotient = in.Integer(QStringLiteral("#Quotient = "));
    part.Denominator = in.Integer(QStringLiteral("#Denominator = "));
    part.WrongRightLead = in.Boolean(QStringLiteral("#WrongRightLead = "));
    part.WrongRightLeadCoef = in.Integer(QStringLiteral("#WrongRightLeadCoef = "));
    part.SubProportion = in.Number(QStringLiteral("#SubProportion = "));
    in.ReadKeyLine(KeyEnd);
}

void ReadPredmet(TKeyLineReader &in, TExamPredmet &predmet, bool &partsValid)
{
    in.ReadKeyLine(QStringLiteral("#Predmet"));
    predmet.Name = in.Text(QStringLiteral("#Name = "));
    predmet.Index = in.Integer(QStringLiteral("#Index = "));
    predmet.BaseIndex = in.Integer(QStringLiteral("#BaseIndex = "));
    predmet.SubExists = in.Boolean(QStringLiteral("#SubExists = "));
    in.ReadKeyLine(QStringLiteral("#Parts"));
    while (!in.Failed() && !in.PeekKeyLine(KeyEnd)) {
        predmet.Parts.push_back(std::make_unique<TPredmetPart>(QString(), 1, 1, false, 1, 1.0));
        ReadPart(in, *predmet.Parts.back());
        partsValid = partsValid && predmet.Parts.back()->InvariantError().isEmpty();
    }
    in.ReadKeyLine(KeyEnd);
    in.ReadKeyLine(KeyEnd);
}

} // namespace

std::unique_ptr<TExamModel> TExamModel::CreateFromTextStream(const QByteArray &stream)
{
    auto model = std::make_unique<TExamModel>(QString(), 0, 0);
    TKeyLineReader in(TextToLines(stream));
    in.ReadKeyLine(QStringLiteral("#Model"));
    model->GUIDStr = in.Text(QStringLiteral("#GUID = "));
    in.ReadKeyLine(QStringLiteral("#Predmets"));
    bool partsValid = true;
    while (!in.Failed() && !in.PeekKeyLine(KeyEnd)) {
        model->Predmets.push_back(std::make_unique<TExamPredmet>(QString(), 0, 0, false));
        ReadPredmet(in, *model->Predmets.back(), partsValid);
    }
    in.ReadKeyLine(KeyEnd);
    in.ReadKeyLine(KeyEnd);
    // A part that breaks the rules the exam relies on (empty format, zero divisors, answer
    // strings that do not match) would fail later in scoring or drawing; refuse it here.
    if (in.Failed() || !partsValid)
        return nullptr;
    return model;
}
