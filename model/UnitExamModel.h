#pragma once

#include "UnitCatalogue.h"
#include "UnitScoring.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class TValueWriter;
class TValueReader;

// One question read from or written into the exam; Answer and UserAnswer hold exactly one
// question's characters. A Format of one NUL character marks a question that does not exist.
struct TSimpleQuestion
{
    QString Format;
    QString Answer;
    QString UserAnswer;
    qint32 Quotient = 0;
    qint32 Denominator = 0;
    bool WrongRightLead = false;
    qint32 WrongRightLeadCoef = 0;

    bool Exists() const { return Format != QString(QChar(0)); }
};

// A block of questions sharing one answer format and one scoring rule. The answers of all its
// questions are concatenated, Format.size() characters each.
class TPredmetPart
{
public:
    TPredmetPart(const QString &_Format, qint32 _Quotient, qint32 _Denominator, bool _WrongRightLead,
                 qint32 _WrongRightLeadCoef, double _SubProportion);

    QString Format;
    QString Answer;
    QString UserAnswer;
    qint32 Quotient;
    qint32 Denominator;
    bool WrongRightLead;
    qint32 WrongRightLeadCoef;
    double SubProportion;

    // Whole questions in Answer; trailing characters that fill no question belong to none.
    qint32 QuestionsCount() const;
    TTotalResult TotalResult() const;

    // Empty when the part keeps the rules every operation relies on, else what breaks them.
    QString InvariantError() const;

    void Write(TValueWriter &writer) const;
    void Read(TValueReader &reader);
};

// A subject: its parts, and where its questions live in the topic structure.
class TExamPredmet
{
public:
    TExamPredmet(const QString &_Name, qint32 _Index, qint32 _BaseIndex, bool _SubExists);

    QString Name;
    qint32 Index;
    qint32 BaseIndex;
    bool SubExists;
    std::vector<std::unique_ptr<TPredmetPart>> Parts;

    qint32 QuestionsCount() const;
    TTotalResult TotalResult() const;

    void Write(TValueWriter &writer) const;
    void Read(TValueReader &reader);
};

// The exam in memory. Questions are addressed by their absolute index: numbered from 0 subject
// by subject, part by part, question by question.
class TExamModel
{
public:
    TExamModel(const QString &_Name, qint32 _Time, qint32 _WarningTime);

    QString GUIDStr;
    QString CreatedDeviceGUID;
    QString Name;
    qint32 Time;
    qint32 WarningTime;
    qint32 Price = 0;
    qint32 RestTime;
    bool Finished = false;
    qint32 LastFocusedIndex = -1;
    std::vector<std::unique_ptr<TExamPredmet>> Predmets;
    QHash<qint64, qint32> IDS;   // question id in the question bank -> absolute index
    QList<QByteArray> images;    // PNG bytes of question i at entry i

    // A copy that shares nothing mutable with this exam; the pictures are shared implicitly, so
    // the copy is cheap whatever their size.
    std::unique_ptr<TExamModel> Clone() const;

    // Reads a model definition; nullptr when the text does not follow the format.
    static std::unique_ptr<TExamModel> CreateFromTextStream(const QByteArray &stream);

    // Exam files: the tagged value stream, plain or zlib-compressed. Reading raises TTavelkoError
    // on any damage; saving raises it when the file cannot be written and leaves any previous
    // file as it was.
    void WriteToStream(QByteArray &stream) const;
    void ReadFromStream(QByteArrayView stream);
    void SaveToFile(const QString &fileName) const;
    void LoadFromStream(const QString &fileName);
    // The content of an exam file already in memory.
    void ReadFromCompressed(QByteArrayView compressed);

    // Raises TTavelkoError when predmetIndex is beyond the subject list.
    qint32 GetAbsoluteIndex(qint32 predmetIndex, qint32 questionIndex) const;
    QString GetPredmetNameForQuestionIndex(qint32 questionIndex) const;
    TSimpleQuestion GetQuestion(qint32 index) const;
    void SetQuestion(qint32 index, const TSimpleQuestion &value);
    qint32 QuestionsCount() const;
    qint32 UnUnsweredCount() const;
    TTotalResult TotalResult() const;
    bool Saveable() const;
    void ResetUserAnswers();
    bool AdaptToModelList(const TModelList &modelList, bool isInitStart);
    qint64 GetBaseIndex(qint32 index) const;

private:
    struct TQuestionPlace
    {
        TPredmetPart *part = nullptr;
        qint32 position = 0; // question number within the part
    };
    TQuestionPlace FindQuestion(qint32 index) const;

    void ReadValues(TValueReader &reader);
};
