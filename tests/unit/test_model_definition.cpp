#include "UnitExamModel.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// One subject with one part of three "(######)" questions; the lines can be edited per case.
QStringList ValidLines()
{
    return {"#Model", "#GUID = {MODEL-1}", "#Predmets",
            "#Predmet", "#Name = Riyaziyyat", "  #Index = 4   ", "#BaseIndex = 2", "#SubExists = true", "#Parts",
            "#Part", "#Format = (######)", "#Answer = (######)(######)(######)",
            "#UserAnswer = (######)(######)(######)", "#Quotient = 3", "#Denominator = 2",
            "#WrongRightLead = 1", "#WrongRightLeadCoef = 4", "#SubProportion = 0.5", "#End",
            "#End", "#End", "#End", "#End"};
}

std::unique_ptr<TExamModel> Read(const QStringList &lines, const char *eol = "\r\n")
{
    return TExamModel::CreateFromTextStream(lines.join(QString::fromLatin1(eol)).toUtf8());
}

QStringList With(qsizetype line, const QString &text)
{
    QStringList lines = ValidLines();
    lines[line] = text;
    return lines;
}

} // namespace

TEST(ModelDefinition, ReadsEveryField)
{
    const auto model = Read(ValidLines());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->GUIDStr, "{MODEL-1}");
    ASSERT_EQ(model->Predmets.size(), 1u);
    const TExamPredmet &predmet = *model->Predmets[0];
    EXPECT_EQ(predmet.Name, "Riyaziyyat");
    EXPECT_EQ(predmet.Index, 4);
    EXPECT_EQ(predmet.BaseIndex, 2);
    EXPECT_TRUE(predmet.SubExists);
    ASSERT_EQ(predmet.Parts.size(), 1u);
    const TPredmetPart &part = *predmet.Parts[0];
    EXPECT_EQ(part.Format, "(######)");
    EXPECT_EQ(part.QuestionsCount(), 3);
    EXPECT_EQ(part.Quotient, 3);
    EXPECT_EQ(part.Denominator, 2);
    EXPECT_TRUE(part.WrongRightLead);
    EXPECT_EQ(part.WrongRightLeadCoef, 4);
    EXPECT_DOUBLE_EQ(part.SubProportion, 0.5);
    EXPECT_EQ(model->UnUnsweredCount(), 3);
}

TEST(ModelDefinition, AcceptedVariants)
{
    struct Case { const char *name; QStringList lines; };
    const Case cases[] = {
        {"no subjects", {"#Model", "#GUID = g", "#Predmets", "#End", "#End"}},
        {"LF line ends and text after the last #End", ValidLines() << "garbage" << ""},
        {"keywords as prefixes", With(2, "#Predmets and more")},
        {"SubExists -1", With(7, "#SubExists = -1")},
        {"SubExists TRUE", With(7, "#SubExists = TRUE")},
        {"WrongRightLead false", With(15, "#WrongRightLead = false")},
        {"negative integer", With(13, "#Quotient = -3")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(Read(c.lines, "\n"), nullptr);
    }
    EXPECT_EQ(Read(With(7, "#SubExists = 0"))->Predmets[0]->SubExists, false);
    EXPECT_EQ(Read(cases[0].lines)->GUIDStr, "g");

    QByteArray utf16("\xFF\xFE", 2);
    const QString text = ValidLines().join("\r");
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    EXPECT_NE(TExamModel::CreateFromTextStream(utf16), nullptr) << "UTF-16 with CR line ends";
}

TEST(ModelDefinition, MalformedTextsGiveNone)
{
    QStringList cutShort = ValidLines();
    cutShort.removeLast();
    QStringList blankLine = ValidLines();
    blankLine.insert(5, "");
    QStringList notWholeQuestions = With(11, "#Answer = (######)(######)(####");
    notWholeQuestions[12] = "#UserAnswer = (######)(######)(####";
    struct Case { const char *name; QStringList lines; };
    const Case cases[] = {
        {"empty text", {}},
        {"empty name value", With(4, "#Name =")},
        {"blank line", blankLine},
        {"fewer than five closing lines", cutShort},
        {"decimal comma", With(17, "#SubProportion = 0,5")},
        {"word for a boolean", With(7, "#SubExists = yes")},
        {"lower-case keyword", With(3, "#predmet")},
        {"integer beyond 32 bits", With(5, "#Index = 2147483648")},
        {"hexadecimal integer", With(5, "#Index = 0x10")},
        {"exponent", With(17, "#SubProportion = 5e-1")},
        {"missing GUID line", With(1, "#Predmets")},
        // The rules the exam relies on:
        {"empty format", With(10, "#Format = ")},
        {"zero denominator", With(14, "#Denominator = 0")},
        {"zero coefficient", With(16, "#WrongRightLeadCoef = 0")},
        {"answers longer than blanks", With(11, "#Answer = (######)(######)(######)(######)")},
        {"answers not whole questions", notWholeQuestions},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Read(c.lines), nullptr);
    }
}
