#pragma once

#include "UnitExamModel.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Adds a part whose answers are the given text and whose learner answers are blank.
inline TPredmetPart &AddPart(TExamPredmet &predmet, const QString &format, const QString &answers,
                             qint32 quotient = 1, qint32 denominator = 1, bool lead = false, qint32 coef = 1,
                             double subProportion = 1.0)
{
    auto part = std::make_unique<TPredmetPart>(format, quotient, denominator, lead, coef, subProportion);
    part->Answer = answers;
    part->UserAnswer = format.repeated(answers.size() / qMax<qsizetype>(1, format.size()));
    predmet.Parts.push_back(std::move(part));
    return *predmet.Parts.back();
}

inline TExamPredmet &AddPredmet(TExamModel &model, const QString &name, qint32 baseIndex = 1, bool subExists = false)
{
    model.Predmets.push_back(std::make_unique<TExamPredmet>(name, qint32(model.Predmets.size()) + 1, baseIndex, subExists));
    return *model.Predmets.back();
}

// A complete, saveable exam in all three formats with non-Latin names, 64-bit ids and pictures.
inline std::unique_ptr<TExamModel> MakeFullExam()
{
    auto model = std::make_unique<TExamModel>(QStringLiteral("Buraxılış imtahanı — Выпускной"), 10800, 900);
    model->GUIDStr = QStringLiteral("{6B29FC40-CA47-1067-B31D-00DD010662DA}");
    model->CreatedDeviceGUID = QStringLiteral("0123456789ABCDEF0123456789ABCDEF");
    model->Price = 40000;
    model->RestTime = 4321;
    model->LastFocusedIndex = 3;
    TExamPredmet &math = AddPredmet(*model, QStringLiteral("Riyaziyyat"), 1, true);
    AddPart(math, QStringLiteral("#"), QStringLiteral("ABCDE"), 1, 1, true, 4, 0.6);
    AddPart(math, QStringLiteral("(######)"), QStringLiteral("(12.5##)(-3####)"), 3, 2, false, 1, 0.5);
    TExamPredmet &lang = AddPredmet(*model, QStringLiteral("Русский язык"), 2, false);
    AddPart(lang, QStringLiteral("[#####][#####][#####]"), QStringLiteral("[A####][#B###][##C##]"), 2, 1, true, 3, 1.0);
    math.Parts[0]->UserAnswer = QStringLiteral("AB#EE");
    qint64 id = 5000000000LL;
    for (qint32 i = 0; i < model->QuestionsCount(); ++i) {
        model->IDS.insert(i == 0 ? 7 : id++, i);
        QByteArray picture;
        for (int b = 0; b < 200 + i; ++b)
            picture.append(char((b * 37 + i) & 0xFF));
        model->images.append(picture);
    }
    return model;
}
