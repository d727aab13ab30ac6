// The client from start page to an assembled exam, against the real local servers.

#include "ClientFixture.h"
#include "UnitDataModule.h"
#include "UnitExamModel.h"
#include "UnitInstance.h"
#include "UnitMain.h"
#include "UnitPlatform.h"
#include "UnitMessageBox.h"
#include "UnitRegistry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QScopeGuard>
#include <QtTest>

namespace {

QStringList ModelButtonCaptions(TFormMain &window)
{
    QStringList captions;
    for (int i = 0; i < window.BG_ExamModelsLayout->count(); ++i)
        if (auto *button = qobject_cast<QPushButton *>(window.BG_ExamModelsLayout->itemAt(i)->widget()))
            captions.append(button->text());
    return captions;
}

QPushButton *ModelButton(TFormMain &window, int index)
{
    return qobject_cast<QPushButton *>(window.BG_ExamModelsLayout->itemAt(index)->widget());
}

// The topic nodes under a container or sub-branch node with the given text.
QList<QTreeWidgetItem *> Topics(TFormMain &window, const QString &parent)
{
    const QList<QTreeWidgetItem *> found = window.DB_Structure->findItems(parent, Qt::MatchExactly | Qt::MatchRecursive);
    QList<QTreeWidgetItem *> topics;
    if (!found.isEmpty())
        for (int i = 0; i < found.first()->childCount(); ++i)
            topics.append(found.first()->child(i));
    return topics;
}

} // namespace

class TestClientCatalogue : public QObject
{
    Q_OBJECT

    QTemporaryDir fSettings;
    int fQuestions = 0;

    // A window past its creation, on its start page, with the test's answers to questions.
    std::unique_ptr<TFormMain> NewWindow(const QStringList &args = {})
    {
        auto window = std::make_unique<TFormMain>(args);
        window->OnTerminate = [this] { fTerminated = true; };
        window->show();
        return window;
    }

    void WaitForFinish(TFormMain &window)
    {
        QTRY_COMPARE_WITH_TIMEOUT(window.fDownloadMode, dmFinish, 15000);
    }

    // New exam, then the given model's button: the topic page of that model.
    void OpenModel(TFormMain &window, int index)
    {
        window.ActionNewExecute();
        WaitForFinish(window);
        ModelButton(window, index)->click();
        WaitForFinish(window);
    }

    bool fTerminated = false;

private slots:
    void initTestCase()
    {
        QVERIFY2(LoadServerEnvironment(), "the servers fixture must run first");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, fSettings.path());
        qputenv("XDG_DATA_HOME", fSettings.path().toLocal8Bit()); // the learner's data folder too
        fQuestions = ClientFixture::Install();
    }

    void init()
    {
        TMessageBox::SetTestMode(true);
        fTerminated = false;
        TTavelkoRegistry().SetLanguageIndex(langEnglish);
    }

    void startPage()
    {
        auto window = NewWindow();
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
        QCOMPARE(window->windowTitle(), QString("Tavelko"));
        QCOMPARE(window->ButtonNewExam->text(), QString("New exam"));
        QCOMPARE(window->EditIdentifier->text(), QString(32, u'*'));
        window->ButtonIdentifierMaskClick();
        QCOMPARE(window->EditIdentifier->text(), TTavelkoRegistry().GetGUID());
        window->ButtonIdentifierMaskClick();
        QCOMPARE(window->EditIdentifier->text(), QString(32, u'*'));
        QCOMPARE(window->DataModule->fPrelvinr_id, qint64(-1)); // a new installation has no account
        QVERIFY(TMessageBox::History().isEmpty());

        const QStringList menu = [&] {
            QStringList texts;
            for (QAction *action : window->MenuFile->actions())
                texts.append(action->isSeparator() ? "-" : action->text());
            return texts;
        }();
        QCOMPARE(menu, QStringList({"Start page", "New exam", "Progress", "-", "Open the exam", "Reopen", "-", "Save exam", "Save exam as",
                                    "-", "Close exam", "Exit"}));
    }

    void languageChangeRecaptionsAndIsStoredAtOnce()
    {
        {
            auto window = NewWindow();
            const int before = window->LabelSelectLangugae->x();
            window->ComboBoxExLanguage->setCurrentIndex(langRussian);
            emit window->ComboBoxExLanguage->activated(langRussian);
            QCOMPARE(window->ButtonNewExam->text(), TrIn(1, langRussian));
            QCOMPARE(window->MenuFile->title(), TrIn(71, langRussian));
            QCOMPARE(window->LabelSelectLangugae->text(), TrIn(10, langRussian));
            QCOMPARE(window->windowTitle(), QString("Tavelko"));
            QVERIFY(window->LabelSelectLangugae->x() != before); // centred again for its new width
            QCOMPARE(TTavelkoRegistry().GetLanguageIndex(), langRussian); // a crash now would not lose it

            // Typing into the box changes nothing.
            QTest::keyClicks(window->ComboBoxExLanguage, "eng");
            QCOMPARE(window->ComboBoxExLanguage->currentIndex(), int(langRussian));
        }
        QCOMPARE(TTavelkoRegistry().GetLanguageIndex(), langRussian);
        SetCurrentLanguageIndex(langEnglish);
    }

    void newExamShowsOneButtonPerModel()
    {
        auto window = NewWindow();
        window->ActionNewExecute();
        QCOMPARE(window->CurrentCard(), TFormMain::CardNew);
        QCOMPARE(window->StatusText->text(), Tr(14));
        QVERIFY(window->PanelProgress->isVisibleTo(window.get()));
        WaitForFinish(*window);
        QCOMPARE(ModelButtonCaptions(*window),
                 QStringList({"Small {Duration: 03:00:00}", "Gone {Duration: 00:10:00}", "Too many {Duration: 01:00:00}"}));
        QCOMPARE(window->StatusText->text(), QString());
        QVERIFY(!window->PanelProgress->isVisibleTo(window.get()));
        QVERIFY(window->ProgressBar->maximum() > 100); // the sizes of both catalogue files
        QCOMPARE(window->ProgressBar->value(), window->ProgressBar->maximum());
    }

    void aModelShowsItsTopicTreeAndTheMarkingRule()
    {
        auto window = NewWindow();
        OpenModel(*window, 0);
        QCOMPARE(window->CurrentCard(), TFormMain::CardParams);
        QCOMPARE(window->LabelExamTitle->text(), QString("Small"));
        QCOMPARE(window->LabelExamTime->text(), QString("03:00:00"));
        QCOMPARE(window->ExamModel->RestTime, 10800);
        QCOMPARE(window->DB_Structure->topLevelItemCount(), 1);
        QTreeWidgetItem *root = window->DB_Structure->topLevelItem(0);
        QCOMPARE(root->text(0), QString("DataBase"));
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(Topics(*window, "Physics").size(), 2); // the two sub-branches
        QCOMPARE(Topics(*window, "Electricity").size(), 2);

        const QList<QTreeWidgetItem *> topics = Topics(*window, "Algebra");
        QCOMPARE(topics.size(), 5);
        auto marks = [&] {
            QString text;
            for (int t = 1; t <= 5; ++t)
                text += FindStructureRec(window->Structure, 1, 0, t)->Check ? '1' : '0';
            return text;
        };
        window->DB_StructureNodeClick(topics[2]);
        QCOMPARE(marks(), QString("11000"));
        QCOMPARE(GetMaxThemeIndex(window->Structure, 1, 0), 2);
        window->DB_StructureNodeClick(topics[4]);
        QCOMPARE(marks(), QString("11111"));
        window->DB_StructureNodeClick(topics[0]);
        QCOMPARE(marks(), QString("10000"));
        window->DB_StructureNodeClick(root); // not a topic: only the focus moves
        QCOMPARE(marks(), QString("10000"));

        // The selected row still shows its text: dark pixels on the highlight.
        window->DB_Structure->setCurrentItem(topics[1]);
        topics[1]->setSelected(true);
        const QRect row = window->DB_Structure->visualItemRect(topics[1]);
        const QImage shot = window->DB_Structure->viewport()->grab().toImage();
        int dark = 0;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                dark += qGray(shot.pixel(x, y)) < 100 ? 1 : 0;
        QVERIFY2(dark > 20, "the selected topic's text is invisible");
    }

    void createExamDrawsPerSubBranchAndOffersStart()
    {
        auto window = NewWindow();
        OpenModel(*window, 0);
        window->ButtonCreate->click();
        QCOMPARE(window->CurrentCard(), TFormMain::CardBuildExam);
        WaitForFinish(*window);
        QVERIFY(window->ButtonStart->isVisibleTo(window.get()));
        QVERIFY(!window->LabelCreateInfo->isVisibleTo(window.get()));

        TExamModel &exam = *window->ExamModel;
        QCOMPARE(exam.QuestionsCount(), 12);
        QVERIFY(exam.Saveable());
        QCOMPARE(exam.IDS.size(), 12);
        QCOMPARE(exam.images.size(), 12);
        for (const QByteArray &picture : exam.images)
            QVERIFY(picture.startsWith("\x89PNG"));
        // Physics "#": 2 from sub-branch 1 (2.5 rounds to even), then 3 from sub-branch 2.
        // Algebra: 4 + 1; Physics "#": 2 from sub-branch 1 (2.5 rounds to even), then 3 from
        // sub-branch 2; Physics "(######)": 1 and 1.
        const QStringList files = window->Files;
        QCOMPARE(files.size(), 12);
        QCOMPARE(files.mid(5, 5).filter(QRegularExpression("^2/1/")).size(), 2);
        QVERIFY(files[5].startsWith("2/1/") && files[6].startsWith("2/1/"));
        QVERIFY(files[7].startsWith("2/2/") && files[9].startsWith("2/2/"));
        QVERIFY(files[10].startsWith("2/1/") && files[11].startsWith("2/2/"));
        // Ids map to their running index; the answers follow the same order.
        for (qint32 i = 0; i < 12; ++i)
            QVERIFY(exam.GetBaseIndex(i) != 0);
        QCOMPARE(exam.Predmets[1]->Parts[0]->Answer.size(), 5);
    }

    void tooFewQuestionsGiveRow19AndTheStartPage()
    {
        auto window = NewWindow();
        OpenModel(*window, 2);
        window->ButtonCreate->click();
        QCOMPARE(TMessageBox::History().last(), Tr(19));
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
        QVERIFY(!window->ExamModel);
        QCOMPARE(window->fDownloadMode, dmNone);

        // Marking only topic 1 is too few for a part of four.
        OpenModel(*window, 0);
        window->DB_StructureNodeClick(Topics(*window, "Algebra")[0]);
        window->ButtonCreate->click();
        QCOMPARE(TMessageBox::History().last(), Tr(19));
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
    }

    void aModelNoLongerListedGivesRow51()
    {
        auto window = NewWindow();
        OpenModel(*window, 1);
        QCOMPARE(TMessageBox::History().last(), Tr(51));
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
        QVERIFY(!window->ExamModel);
        QCOMPARE(window->fDownloadMode, dmFinish);

        // The next New exam asks first.
        TMessageBox::SetNextAnswer(TMessageBox::No);
        window->ActionNewExecute();
        QCOMPARE(TMessageBox::History().last(), Tr(39));
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
    }

    void busyRuleDuringADownload()
    {
        auto window = NewWindow();
        window->ActionNewExecute(); // the catalogue download is armed: busy until it ends
        QVERIFY(window->Busy());
        const qsizetype before = TMessageBox::History().size();
        window->ActionStartExecute();
        window->ActionNewExecute();
        window->ActionCloseExecute();
        QCOMPARE(TMessageBox::History().size(), before + 3);
        for (qsizetype i = before; i < before + 3; ++i)
            QCOMPARE(TMessageBox::History()[i], Tr(37));
        QCOMPARE(window->CurrentCard(), TFormMain::CardNew);
        WaitForFinish(*window);
        QCOMPARE(ModelButtonCaptions(*window).size(), 3);
    }

    void confirmationsOfTheCommands()
    {
        auto window = NewWindow();
        window->ActionCloseExecute(); // nothing loaded: just the start page
        QVERIFY(TMessageBox::History().isEmpty());
        window->ActionNewExecute();
        WaitForFinish(*window);
        TMessageBox::SetNextAnswer(TMessageBox::No);
        window->ActionCloseExecute();
        QCOMPARE(TMessageBox::History().last(), Tr(40)); // asked even with only the model buttons
        QCOMPARE(window->CurrentCard(), TFormMain::CardNew);
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->ActionStartExecute();
        QCOMPARE(TMessageBox::History().last(), Tr(38));
        QCOMPARE(window->CurrentCard(), TFormMain::CardStart);
        QCOMPARE(window->fDownloadMode, dmNone);

        // Closing by the frame: at once without an exam, after row 49 with one.
        OpenModel(*window, 0);
        TMessageBox::SetNextAnswer(TMessageBox::No);
        QVERIFY(!window->close());
        QCOMPARE(TMessageBox::History().last(), Tr(49));
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        QVERIFY(window->close());
    }

    void abortClosesTheWindow()
    {
        auto window = NewWindow();
        // The abort arrives while the transfer runs: as soon as the first bytes are in.
        connect(window->ProgressBar, &QProgressBar::valueChanged, window.get(), [&](int value) {
            if (value > 0 && window->ButtonAbort->isVisible())
                window->ButtonAbort->click();
        });
        window->ActionNewExecute();
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 10000);
        QCOMPARE(window->fDownloadMode, dmAbort);
        QVERIFY(!TMessageBox::History().contains(Tr(7))); // an abort is no network failure
        QVERIFY(!fTerminated);
    }

    void answersTheUpdatersCloseRequest()
    {
        qputenv("TAVELKO_INSTANCE_CHANNEL", QByteArray("tavelko-client-test-") + QByteArray::number(QCoreApplication::applicationPid()));
        auto window = NewWindow();
        QVERIFY(Platform::MainWindowOpen());
        QVERIFY(Platform::RequestClose());
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 5000);
        qunsetenv("TAVELKO_INSTANCE_CHANNEL");
    }

    void offersANewerVersionBeforeOpeningTheCommandLine()
    {
        QCOMPARE(TFormMain::GetOwnVersion(), 65536u); // this program carries the build's stamp
        TSqlConnection connection(TServerConfig::Load());
        connection.Open();
        ClientFixture::Sql(connection, "DELETE FROM e_versions");
        ClientFixture::Sql(connection, "INSERT INTO e_versions (version) VALUES (65536)");
        {
            auto window = std::make_unique<TFormMain>(QStringList{"/nowhere/exam.qmvx"});
            window->FormShow();
            QVERIFY(!TMessageBox::History().contains(Tr(83))); // equal versions: no question
            QCOMPARE(window->fSaveFileName, QString("/nowhere/exam.qmvx"));
            WaitForFinish(*window);
        }
        ClientFixture::Sql(connection, "INSERT INTO e_versions (version) VALUES (65537)");
        {
            // Installed by the system's packages: told where the update comes from, and goes on.
            const QString marker = QDir(QCoreApplication::applicationDirPath()).filePath(Platform::PackagedMarker);
            QFile(marker).open(QIODevice::WriteOnly);
            const auto remove = qScopeGuard([&] { QFile::remove(marker); });
            auto window = std::make_unique<TFormMain>(QStringList{"/nowhere/exam.qmvx"});
            window->FormShow();
            QVERIFY(!TMessageBox::History().contains(Tr(83)));
            QVERIFY(TMessageBox::History().contains(TrFormat(155, {"1.1"})));
            QCOMPARE(window->fSaveFileName, QString("/nowhere/exam.qmvx"));
            WaitForFinish(*window);
        }
        TTavelkoRegistry().SetExecuteParam("before");
        auto window = NewWindow({"/nowhere/exam.qmvx"});
        TMessageBox::SetNextAnswer(TMessageBox::Yes);
        window->FormShow();
        QCOMPARE(TMessageBox::History().last(), Tr(83));
        QVERIFY(!window->isVisible()); // handed over to the updater
        QCOMPARE(TTavelkoRegistry().GetExecuteParam(), QString("before"));
        QVERIFY(window->fSaveFileName.isEmpty());
        ClientFixture::Sql(connection, "DELETE FROM e_versions");
    }

    void closingDuringADownloadEndsQuietly()
    {
        auto window = NewWindow();
        connect(window->ProgressBar, &QProgressBar::valueChanged, window.get(), [&](int value) {
            if (value > 0 && window->isVisible())
                window->close();
        });
        window->ActionNewExecute();
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(window->fDownloadMode, dmAbort, 5000);
        QTest::qWait(300); // the transfer has returned by now
        QVERIFY(!TMessageBox::History().contains(Tr(7)));
        QVERIFY(!fTerminated);
    }

    void noFileCloudEndsTheApplicationAfterRow7()
    {
        const QByteArray port = qgetenv("TAVELKO_FTP_PORT");
        qputenv("TAVELKO_FTP_PORT", "1");
        auto window = NewWindow();
        window->ActionNewExecute();
        QTRY_VERIFY_WITH_TIMEOUT(fTerminated, 10000);
        qputenv("TAVELKO_FTP_PORT", port);
        QCOMPARE(TMessageBox::History().last(), Tr(7));
    }
};

QTEST_MAIN(TestClientCatalogue)
#include "test_client_catalogue.moc"
