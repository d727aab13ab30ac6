#include "UnitExamModel.h"

#include "TavelkoError.h"
#include "UnitInt32.h"

TPredmetPart::TPredmetPart(const QString &_Format, qint32 _Quotient, qint32 _Denominator, bool _WrongRightLead,
                           qint32 _WrongRightLeadCoef, double _SubProportion)
    : Format(_Format), Quotient(_Quotient), Denominator(_Denominator), WrongRightLead(_WrongRightLead),
      WrongRightLeadCoef(_WrongRightLeadCoef), SubProportion(_SubProportion)
{
}

qint32 TPredmetPart::QuestionsCount() const
{
    if (Format.isEmpty())
        return 0;
    return qint32(Answer.size() / Format.size());
}

QString TPredmetPart::InvariantError() const
{
    if (Format.isEmpty())
        return QStringLiteral("a part has an empty answer format");
    if (Denominator == 0)
        return QStringLiteral("a part has a zero denominator");
    if (WrongRightLeadCoef == 0)
        return QStringLiteral("a part has a zero wrong-answer coefficient");
    if (Answer.size() != UserAnswer.size())
        return QStringLiteral("the answers and the learner's answers of a part differ in length");
    if (Answer.size() % Format.size() != 0)
        return QStringLiteral("the answers of a part do not fill whole questions");
    return {};
}

TExamPredmet::TExamPredmet(const QString &_Name, qint32 _Index, qint32 _BaseIndex, bool _SubExists)
    : Name(_Name), Index(_Index), BaseIndex(_BaseIndex), SubExists(_SubExists)
{
}

qint32 TExamPredmet::QuestionsCount() const
{
    qint32 count = 0;
    for (const auto &part : Parts)
        count = WrapAdd(count, part->QuestionsCount());
    return count;
}

TExamModel::TExamModel(const QString &_Name, qint32 _Time, qint32 _WarningTime)
    : Name(_Name), Time(_Time), WarningTime(_WarningTime), RestTime(_Time)
{
}

qint32 TExamModel::GetAbsoluteIndex(qint32 predmetIndex, qint32 questionIndex) const
{
    if (predmetIndex < 0 || size_t(predmetIndex) > Predmets.size())
        throw TTavelkoError(QStringLiteral("List index out of bounds (%1)").arg(predmetIndex));
    qint32 result = questionIndex;
    for (qint32 i = 0; i < predmetIndex; ++i)
        result = WrapAdd(result, Predmets[size_t(i)]->QuestionsCount());
    return result;
}

QString TExamModel::GetPredmetNameForQuestionIndex(qint32 questionIndex) const
{
    qint64 sum = 0;
    for (const auto &predmet : Predmets) {
        sum += predmet->QuestionsCount();
        if (sum > questionIndex)
            return predmet->Name;
    }
    return {};
}

TExamModel::TQuestionPlace TExamModel::FindQuestion(qint32 index) const
{
    if (index < 0)
        return {};
    qint64 first = 0; // absolute index of the part's first question
    for (const auto &predmet : Predmets) {
        for (const auto &part : predmet->Parts) {
            const qint32 n = part->QuestionsCount();
            if (index < first + n)
                return {part.get(), qint32(index - first)};
            first += n;
        }
    }
    return {};
}

TSimpleQuestion TExamModel::GetQuestion(qint32 index) const
{
    TSimpleQuestion result;
    result.Format = QString(QChar(0));
    const TQuestionPlace place = FindQuestion(index);
    if (!place.part)
        return result;
    const TPredmetPart &part = *place.part;
    const qsizetype length = part.Format.size();
    result.Format = part.Format;
    result.Answer = part.Answer.mid(place.position * length, length);
    result.UserAnswer = part.UserAnswer.mid(place.position * length, length);
    result.Quotient = part.Quotient;
    result.Denominator = part.Denominator;
    result.WrongRightLead = part.WrongRightLead;
    result.WrongRightLeadCoef = part.WrongRightLeadCoef;
    return result;
}

void TExamModel::SetQuestion(qint32 index, const TSimpleQuestion &value)
{
    const TQuestionPlace place = FindQuestion(index);
    if (!place.part)
        return;
    TPredmetPart &part = *place.part;
    part.Format = value.Format;
    const qsizetype length = part.Format.size();
    const qsizetype start = place.position * length;
    // Writes stay inside the strings: a record shorter than the format, or a part whose answer
    // strings are shorter than its new format asks, changes only the characters both have.
    for (qsizetype j = 0; j < length; ++j) {
        if (j < value.Answer.size() && start + j < part.Answer.size())
            part.Answer[start + j] = value.Answer.at(j);
        if (j < value.UserAnswer.size() && start + j < part.UserAnswer.size())
            part.UserAnswer[start + j] = value.UserAnswer.at(j);
    }
    part.Quotient = value.Quotient;
    part.Denominator = value.Denominator;
    part.WrongRightLead = value.WrongRightLead;
    part.WrongRightLeadCoef = value.WrongRightLeadCoef;
}

qint32 TExamModel::QuestionsCount() const
{
    qint32 count = 0;
    for (const auto &predmet : Predmets)
        count = WrapAdd(count, predmet->QuestionsCount());
    return count;
}

qint32 TExamModel::UnUnsweredCount() const
{
    qint32 count = 0;
    for (const auto &predmet : Predmets) {
        for (const auto &part : predmet->Parts) {
            const qsizetype length = part->Format.size();
            const qint32 n = part->QuestionsCount();
            for (qint32 i = 0; i < n; ++i) {
                if (IsBlankAnswer(part->Format, part->UserAnswer.mid(i * length, length)))
                    ++count;
            }
        }
    }
    return count;
}

bool TExamModel::Saveable() const
{
    const qint32 count = QuestionsCount();
    return count > 0 && IDS.size() == count && images.size() == count;
}

void TExamModel::ResetUserAnswers()
{
    for (const auto &predmet : Predmets) {
        for (const auto &part : predmet->Parts) {
            const qsizetype length = part->Format.size();
            const qint32 n = part->QuestionsCount();
            for (qint32 i = 0; i < n; ++i) {
                for (qsizetype j = 0; j < length && i * length + j < part->UserAnswer.size(); ++j)
                    part->UserAnswer[i * length + j] = part->Format.at(j);
            }
        }
    }
}

bool TExamModel::AdaptToModelList(const TModelList &modelList, bool isInitStart)
{
    for (const TModelListItem &item : modelList) {
        if (item.Rec.GUID != GUIDStr)
            continue;
        Name = item.Name;
        Time = item.Rec.ExamTime;
        WarningTime = item.Rec.WarningTime;
        Price = item.Rec.Price;
        if (isInitStart) {
            RestTime = item.Rec.ExamTime;
            Finished = false;
        }
        return true;
    }
    return false;
}

qint64 TExamModel::GetBaseIndex(qint32 index) const
{
    for (auto it = IDS.cbegin(); it != IDS.cend(); ++it) {
        if (it.value() == index)
            return it.key();
    }
    return 0;
}

std::unique_ptr<TExamModel> TExamModel::Clone() const
{
    auto copy = std::make_unique<TExamModel>(Name, Time, WarningTime);
    copy->GUIDStr = GUIDStr;
    copy->CreatedDeviceGUID = CreatedDeviceGUID;
    copy->Price = Price;
    copy->RestTime = RestTime;
    copy->Finished = Finished;
    copy->LastFocusedIndex = LastFocusedIndex;
    for (const auto &predmet : Predmets) {
        auto subject = std::make_unique<TExamPredmet>(predmet->Name, predmet->Index, predmet->BaseIndex, predmet->SubExists);
        for (const auto &part : predmet->Parts)
            subject->Parts.push_back(std::make_unique<TPredmetPart>(*part));
        copy->Predmets.push_back(std::move(subject));
    }
    copy->IDS = IDS;
    copy->images = images;
    return copy;
}
