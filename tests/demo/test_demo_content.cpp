// The demo content must be something a learner can truly practise on: every model assembles,
// every question fits the structure and a model, every picture is there, every answer has its
// format's exact shape.

#include "UnitCatalogue.h"
#include "UnitExamModel.h"
#include "UnitTextLines.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace {

struct TQuestionRow
{
    qint64 id;
    QString format;
    QString path;
    QString answer;
};

QString ContentDir()
{
    return qEnvironmentVariable("TAVELKO_DEMO_CONTENT");
}

QByteArray ReadAll(const QString &relative)
{
    QFile file(QDir(ContentDir()).filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DemoContentTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_FALSE(ContentDir().isEmpty()) << "TAVELKO_DEMO_CONTENT names the generated content";
        models = ParseModelList(TextToLines(ReadAll("ftp/web/Tavelko/ModelList.txt")));
        structure = ParseStructure(TextToLines(ReadAll("ftp/web/Tavelko/DB_Structure.dbstf")));
        const QRegularExpression insert(QStringLiteral(
            R"(^INSERT INTO e_all_questions \(Id, Format, Path, Answer\) VALUES \((\d+), '([^']*)', '([^']*)', '([^']*)'\);$)"));
        for (const QString &line : QString::fromUtf8(ReadAll("demo.sql")).split(u'\n')) {
            const QRegularExpressionMatch match = insert.match(line);
            if (match.hasMatch())
                questions.push_back({match.captured(1).toLongLong(), match.captured(2), match.captured(3), match.captured(4)});
            else if (line.startsWith(QStringLiteral("INSERT INTO e_versions")))
                versionLine = line;
        }
    }

    static std::unique_ptr<TExamModel> Definition(const TModelListItem &item)
    {
        return TExamModel::CreateFromTextStream(ReadAll(QStringLiteral("ftp/web/Tavelko/Models/%1.ttprf").arg(item.Rec.Index)));
    }

    static bool HasSubBranches(qint32 container)
    {
        return FindStructureRec(structure, container, 1, 0) && FindStructureRec(structure, container, 2, 0);
    }

    static inline TModelList models;
    static inline TStructureList structure;
    static inline std::vector<TQuestionRow> questions;
    static inline QString versionLine;
};

} // namespace

TEST_F(DemoContentTest, CatalogueAndModels)
{
    ASSERT_GE(models.size(), 3);
    ASSERT_GE(structure.size(), 2);
    EXPECT_EQ(structure.first().Text, "DataBase");
    bool withSub = false, withoutSub = false, lead = false, noLead = false;
    QSet<QString> formats;
    for (const TModelListItem &item : models) {
        SCOPED_TRACE(item.Name.toStdString());
        EXPECT_GT(item.Rec.ExamTime, item.Rec.WarningTime);
        EXPECT_GT(item.Rec.WarningTime, 0);
        const auto model = Definition(item);
        ASSERT_NE(model, nullptr);
        EXPECT_TRUE(model->AdaptToModelList(models, true));
        EXPECT_EQ(model->UnUnsweredCount(), model->QuestionsCount()) << "a new exam starts blank";
        // About a minute per question at least, and not more than five.
        EXPECT_GE(item.Rec.ExamTime, 60 * model->QuestionsCount());
        EXPECT_LE(item.Rec.ExamTime, 300 * model->QuestionsCount());
        for (const auto &predmet : model->Predmets) {
            ASSERT_NE(FindStructureRec(structure, predmet->BaseIndex, 0, 0), nullptr) << "container " << predmet->BaseIndex;
            EXPECT_EQ(predmet->SubExists, HasSubBranches(predmet->BaseIndex));
            (predmet->SubExists ? withSub : withoutSub) = true;
            for (const auto &part : predmet->Parts) {
                formats.insert(part->Format);
                (part->WrongRightLead ? lead : noLead) = true;
                if (!predmet->SubExists) {
                    EXPECT_EQ(part->SubProportion, 1.0) << "a subject without sub-branches would lose questions";
                }
            }
        }
    }
    EXPECT_TRUE(withSub && withoutSub);
    EXPECT_TRUE(lead && noLead);
    EXPECT_EQ(formats, QSet<QString>({FormatClassic, FormatDigits, FormatMatch}));
    EXPECT_EQ(versionLine, QStringLiteral("INSERT INTO e_versions (version) VALUES (%1);").arg(TAVELKO_VERSION))
        << "the published version is the built client's, so no update is offered";
}

TEST_F(DemoContentTest, EveryQuestionFitsTheStructureAndAModel)
{
    ASSERT_GE(questions.size(), 600u);
    std::set<std::pair<qint32, QString>> usedByModels; // container, format
    for (const TModelListItem &item : models) {
        const auto model = Definition(item);
        for (const auto &predmet : model->Predmets)
            for (const auto &part : predmet->Parts)
                usedByModels.insert({predmet->BaseIndex, part->Format});
    }

    QSet<qint64> ids;
    for (const TQuestionRow &q : questions) {
        SCOPED_TRACE(q.path.toStdString());
        EXPECT_FALSE(ids.contains(q.id));
        ids.insert(q.id);
        const QStringList fields = q.path.split(u'/');
        ASSERT_GE(fields.size(), 4);
        EXPECT_EQ(fields[0], "DataBase");
        const qint32 container = fields[1].toInt();
        const bool sub = HasSubBranches(container);
        ASSERT_EQ(fields.size(), sub ? 5 : 4);
        const qint32 branch = sub ? fields[2].toInt() : 0;
        const qint32 theme = fields[sub ? 3 : 2].toInt();
        EXPECT_NE(FindStructureRec(structure, container, branch, theme), nullptr);
        EXPECT_TRUE(usedByModels.count({container, q.format})) << "no model asks for this format here";
    }
}

TEST_F(DemoContentTest, EveryAnswerHasItsFormatsShape)
{
    const QRegularExpression classic(QStringLiteral("^[A-E]$"));
    const QRegularExpression digits(QStringLiteral(R"(^\([0-9.\-]+#*\)$)"));
    for (const TQuestionRow &q : questions) {
        SCOPED_TRACE(q.path.toStdString());
        ASSERT_EQ(q.answer.size(), q.format.size());
        EXPECT_EQ(NormalizeAnswer(q.format, q.answer), q.answer) << "stored in canonical form";
        EXPECT_NE(q.answer, q.format) << "a blank answer can never be right";
        if (q.format == FormatClassic) {
            EXPECT_TRUE(classic.match(q.answer).hasMatch());
        } else if (q.format == FormatDigits) {
            EXPECT_TRUE(digits.match(q.answer).hasMatch());
            EXPECT_LE(q.answer.count(u'.'), 1);
            EXPECT_LE(q.answer.count(u'-'), 1);
            EXPECT_TRUE(q.answer.indexOf(u'-') <= 1) << "a minus sign leads";
        } else {
            ASSERT_EQ(q.format, FormatMatch);
            for (int group = 0; group < 3; ++group) {
                const QString cells = q.answer.mid(7 * group + 1, 5);
                EXPECT_EQ(q.answer.at(7 * group), u'[');
                EXPECT_EQ(q.answer.at(7 * group + 6), u']');
                EXPECT_NE(cells, "#####") << "every item has its match";
                for (int j = 0; j < 5; ++j)
                    EXPECT_TRUE(cells.at(j) == u'#' || cells.at(j) == QChar(u'A' + j));
            }
        }
    }
}

TEST_F(DemoContentTest, EveryQuestionHasItsPicture)
{
    for (const TQuestionRow &q : questions) {
        SCOPED_TRACE(q.path.toStdString());
        const QString picture = QStringLiteral("%1/ftp/web/DataBase/%2.png").arg(ContentDir(), q.path.section(u'/', 1));
        QImageReader reader(picture, "png");
        ASSERT_TRUE(reader.canRead()) << "missing or not a PNG";
        EXPECT_EQ(reader.size(), QSize(1000, 600));
        EXPECT_FALSE(reader.read().isNull());
    }
}

TEST_F(DemoContentTest, EveryModelAssemblesWithAllTopicsMarked)
{
    std::map<std::tuple<qint32, qint32, QString>, int> pool; // container, sub-branch, format
    for (const TQuestionRow &q : questions) {
        const QStringList fields = q.path.split(u'/');
        const qint32 container = fields[1].toInt();
        ++pool[{container, HasSubBranches(container) ? fields[2].toInt() : 0, q.format}];
    }
    std::fesetround(FE_TONEAREST); // ties to even, as the assembly rounds
    for (const TModelListItem &item : models) {
        SCOPED_TRACE(item.Name.toStdString());
        std::map<std::tuple<qint32, qint32, QString>, int> demand;
        const auto model = Definition(item);
        for (const auto &predmet : model->Predmets) {
            for (const auto &part : predmet->Parts) {
                const int n = part->QuestionsCount();
                const int k1 = int(std::nearbyint(n * part->SubProportion));
                demand[{predmet->BaseIndex, predmet->SubExists ? 1 : 0, part->Format}] += k1;
                if (predmet->SubExists)
                    demand[{predmet->BaseIndex, 2, part->Format}] += n - k1;
            }
        }
        for (const auto &[key, wanted] : demand)
            EXPECT_GE(pool[key], wanted) << "container " << std::get<0>(key) << ", sub-branch " << std::get<1>(key)
                                         << ", format " << std::get<2>(key).toStdString();
    }
}
