#include "TavelkoError.h"
#include "UnitPrelvinOS.h"
#include "UnitCommandLine.h"
#include "UnitRegistry.h"
#include "UnitTranslate.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class RegistryTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString ini = dir.filePath("Tavelko.ini");
    TTavelkoRegistry registry{ini};

    // A second store on the same file stands for the other program (or the next start).
    TTavelkoRegistry Other() { return TTavelkoRegistry(ini); }

    QStringList StoredKeys(const QString &group)
    {
        QSettings raw(ini, QSettings::IniFormat);
        raw.beginGroup(group);
        return raw.allKeys();
    }

    void WriteRaw(const QString &text)
    {
        QFile file(ini);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
};

} // namespace

TEST_F(RegistryTest, FreshAccountReadsTheDefaults)
{
    EXPECT_EQ(registry.GetLanguageIndex(), 1);
    EXPECT_EQ(registry.GetGUID(), "0");
    EXPECT_EQ(registry.GetInstallPath(), "");
    EXPECT_EQ(registry.GetExecuteParam(), "");
    EXPECT_TRUE(registry.GetReopenList().isEmpty());
}

TEST_F(RegistryTest, EveryPropertyWritesThroughAtOnce)
{
    registry.SetLanguageIndex(2);
    registry.SetGUID("0123456789ABCDEF0123456789ABCDEF");
    registry.SetInstallPath("/opt/Tavelko/");
    registry.SetExecuteParam(QString::fromUtf8("/home/ləman/my exam.qmvx"));

    TTavelkoRegistry other = Other();
    EXPECT_EQ(other.GetLanguageIndex(), 2);
    EXPECT_EQ(other.GetGUID(), "0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(other.GetInstallPath(), "/opt/Tavelko/");
    EXPECT_EQ(other.GetExecuteParam(), QString::fromUtf8("/home/ləman/my exam.qmvx"));

    other.SetLanguageIndex(0); // nothing cached on this side either
    EXPECT_EQ(registry.GetLanguageIndex(), 0);
}

TEST_F(RegistryTest, ReopenListKeepsExactlyCountAndItems)
{
    registry.SetReopenList({"a", "b", "c", "d"});
    registry.SetReopenList({"x.qmvx", "y, z.qmvx", "C:\\exams\\w.qmvx"});
    EXPECT_EQ(Other().GetReopenList(), QStringList({"x.qmvx", "y, z.qmvx", "C:\\exams\\w.qmvx"}));
    QStringList keys = StoredKeys("ReopenList");
    keys.sort();
    EXPECT_EQ(keys, QStringList({"0", "1", "2", "Count"}));

    registry.SetReopenList({});
    EXPECT_TRUE(StoredKeys("ReopenList").isEmpty()) << "an empty list removes the section";
    EXPECT_TRUE(registry.GetReopenList().isEmpty());
}

TEST_F(RegistryTest, CountBeyondTheItemsReadsEmptyStrings)
{
    WriteRaw("[ReopenList]\nCount=3\n0=first\n2=third\n");
    EXPECT_EQ(registry.GetReopenList(), QStringList({"first", "", "third"}));
}

TEST_F(RegistryTest, WrongTypesAreErrors)
{
    WriteRaw("[Interface]\nLanguageIndex=Russian\n[ReopenList]\nCount=many\n[User]\nGUID=a, b\n");
    EXPECT_THROW(registry.GetLanguageIndex(), TTavelkoError);
    EXPECT_THROW(registry.GetReopenList(), TTavelkoError);
    EXPECT_THROW(registry.GetGUID(), TTavelkoError);
}

TEST_F(RegistryTest, DeleteKeyRemovesOneSection)
{
    registry.SetInstallPath("/opt/");
    registry.SetExecuteParam("x");
    registry.SetGUID("ABC");
    registry.DeleteKey("Update");
    registry.DeleteKey("NoSuchSection");
    EXPECT_EQ(registry.GetInstallPath(), "");
    EXPECT_EQ(registry.GetExecuteParam(), "");
    EXPECT_EQ(registry.GetGUID(), "ABC");
}

TEST(PrelvinOS, NewGuidIs32UpperCaseHexDigits)
{
    const QRegularExpression shape("^[0-9A-F]{32}$");
    const QString first = TPrelvinOS::Get_New_32_GUID();
    const QString second = TPrelvinOS::Get_New_32_GUID();
    EXPECT_TRUE(shape.match(first).hasMatch()) << first.toStdString();
    EXPECT_TRUE(shape.match(second).hasMatch());
    EXPECT_NE(first, second);
    EXPECT_NE(first, TTavelkoRegistry::NoGUID);
}

TEST(Translation, EveryRowInEveryLanguageWithTheSamePlaceholders)
{
    const QList<qint32> rows = TranslationRows();
    // The 66 rows of the original table, then ours from row 84 on.
    QList<qint32> ours;
    for (qint32 row = 84; row <= 156; ++row)
        ours.append(row);
    EXPECT_EQ(rows.size(), 66 + ours.size());
    EXPECT_EQ(rows.mid(66), ours);
    for (qint32 row : rows) {
        SCOPED_TRACE(row);
        const QStringList english = Placeholders(TrIn(row, langEnglish));
        for (qint32 language = 0; language < LanguageCount; ++language) {
            EXPECT_FALSE(TrIn(row, language).isEmpty()) << "language " << language;
            EXPECT_EQ(Placeholders(TrIn(row, language)), english) << "language " << language;
        }
    }
    for (qint32 row = 0; row < UpdaterRowCount; ++row)
        for (qint32 language = 0; language < LanguageCount; ++language)
            EXPECT_FALSE(UpdaterTr(row, language).isEmpty());
    for (qint32 gap : {52, 58, 66, 70, 72, 157, -1})
        EXPECT_FALSE(RowExists(gap)) << gap;
}

TEST(Translation, TextsAsTheyStand)
{
    EXPECT_EQ(TrIn(7, langEnglish), "Could not connect to network!");
    EXPECT_EQ(TrIn(9, langEnglish), "\"Tavelko\" - online exam software");
    EXPECT_EQ(TrIn(64, langRussian), QString::fromUtf8("Непредвиденная ошибка. Невозможно сохранить файл в памяти!"));
    EXPECT_EQ(TrIn(17, langTurkish).split("\r\n").size(), 3);
    for (qint32 language = 0; language < LanguageCount; ++language)
        EXPECT_EQ(TrIn(17, language).split("\r\n").size(), 3);
    EXPECT_EQ(UpdaterTr(4, langTurkish), QString::fromUtf8("Güncellemek için tüm açık {Tavelko} programlarını kapatın!"));
    EXPECT_EQ(LanguageName(1), QString::fromUtf8("Azərbaycanca"));
}

TEST(Translation, CurrentLanguageAndFormatting)
{
    SetCurrentLanguageIndex(7);
    EXPECT_EQ(CurrentLanguageIndex(), langAzerbaijani) << "out of range selects the default";
    SetCurrentLanguageIndex(-1, langEnglish);
    EXPECT_EQ(CurrentLanguageIndex(), langEnglish);

    EXPECT_EQ(TrFormat(23, {"Math", 5}), "Subject: \"Math\", question number: 5");
    EXPECT_EQ(TrFormat(26, {8.3, 8, 2, 0}), "EXAM RESULT: 8.30 points; Correct 8; Incorrect 2; Unanswered 0");
    EXPECT_EQ(ModelButtonCaption("Buraxılış", "03:00:00"), "Buraxılış {Duration: 03:00:00}");
    EXPECT_EQ(FormatText("100%% of %s", {"%d"}), "100% of %d") << "arguments are not templates";

    SetCurrentLanguageIndex(langTurkish);
    EXPECT_EQ(TrFormat(23, {"Fizik", 3}), QString::fromUtf8("Ders: Fizik, soru numarası: 3"));
    EXPECT_EQ(Tr(49), QString::fromUtf8("Programdan çıkmak konusunda emin misiniz?"));
    SetCurrentLanguageIndex(langAzerbaijani);
}

// The programs' command lines: one exam path from the arguments, --help, --version, refusals.
TEST(CommandLine, ClientAndUpdaterArguments)
{
    SetCurrentLanguageIndex(langEnglish);
    struct TCase
    {
        QStringList arguments;
        bool run;
        int exitCode;
        QString path;     // what the client opens
        QString output;   // a part of what it prints
    };
    const TCase cases[] = {
        {{}, true, 0, "", ""},
        {{"/home/learner/exam.qmvx"}, true, 0, "/home/learner/exam.qmvx", ""},
        {{"/home/learner/My", "Exams/a.qmvx"}, true, 0, "/home/learner/My Exams/a.qmvx", ""}, // split by a shell
        {{"file:///home/learner/My%20Exams/%C3%BC.qmvx"}, true, 0, QString::fromUtf8("/home/learner/My Exams/ü.qmvx"), ""},
        {{"--", "-odd-name.qmvx"}, true, 0, "-odd-name.qmvx", ""},
        {{"--version"}, false, 0, "", "Tavelko 1.2.3\n"},
        {{"-h"}, false, 0, "", "Usage: Tavelko [options] [file]"},
        {{"--bogus"}, false, 2, "", "Unknown option 'bogus'.\nSee Tavelko --help."},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const TCommandLine line = ParseClientCommandLine(c.arguments, "1.2.3");
        EXPECT_EQ(line.run, c.run);
        EXPECT_EQ(line.exitCode, c.exitCode);
        EXPECT_EQ(line.examPath, c.path);
        EXPECT_TRUE(line.output.contains(c.output)) << line.output.toStdString();
    }
    EXPECT_TRUE(ParseUpdaterCommandLine({}, "1.2.3").run);
    EXPECT_EQ(ParseUpdaterCommandLine({"--version"}, "1.2.3").output, "TavelkoUpdater 1.2.3\n");
    const TCommandLine extra = ParseUpdaterCommandLine({"exam.qmvx"}, "1.2.3");
    EXPECT_FALSE(extra.run);
    EXPECT_EQ(extra.exitCode, 2);
    // In the interface language.
    SetCurrentLanguageIndex(langRussian);
    EXPECT_TRUE(ParseClientCommandLine({"--help"}, "1").output.contains(QString::fromUtf8("Показать версию и выйти.")));
    SetCurrentLanguageIndex(langEnglish);
}
