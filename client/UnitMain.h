#pragma once

#include "UnitCatalogue.h"
#include "UnitTavelkoCloud.h"
#include "UnitTranslate.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class QWidget;
class TActivityIndicator;
class TAnswerControl;
class TDataModuleMain;
class TExamModel;
class TExamKeys;
class TExamNavigator;
class TExamRecovery;
class TLearnerData;
class TLearnerPages;
class TPaintBox;
class TQuestionPicture;
class TReopenManager;
class TResultControl;
class TTavelkoRegistry;

// The download and work state of the main window.
enum TDownloadMode : quint8 {
    dmNone,
    dmStart,
    dmModelList,
    dmModelListOffline,
    dmModel,
    dmQuestionFiles,
    dmAbort,
    dmFinish,
};

// The client's one window: start page, choice of an exam model and its topics, assembly of the
// exam, the exam against the clock and its result. One class spread over a source file per
// concern: UnitMainWindow (construction and layout), UnitMainCommands (start-up and commands),
// UnitMainDownload (downloads, model buttons, topic tree), UnitMainAssembly (drawing the exam).
class TFormMain : public QMainWindow, public ITranslatable
{
public:
    // args: the command-line arguments after the program name.
    explicit TFormMain(const QStringList &args = {}, QWidget *parent = nullptr);
    ~TFormMain() override;

    // Pages of the card panel, in this order.
    enum TCard { CardStart, CardExam, CardResult, CardNew, CardParams, CardBuildExam, CardReview, CardProgress };

    // --- state
    TDownloadMode fDownloadMode = dmNone;
    TFtpSession *fFtpObject = nullptr;
    bool fWait = false;
    QStringList Files;
    bool fAbort = false;
    QString fDir;
    TModelList Models;
    TStructureList Structure;
    TDownloadFiles BufferStreams;
    int fSelectedModelIndex = -1;
    int fSelectedQuestionIndex = -1;
    QString fSaveFileName;
    std::unique_ptr<TExamModel> ExamModel;
    std::unique_ptr<TReopenManager> ReopenManager;
    std::unique_ptr<TDataModuleMain> DataModule;
    std::unique_ptr<TTavelkoRegistry> TavelkoRegistry;
    std::unique_ptr<TAnswerControl> AnswerControl;
    std::unique_ptr<TResultControl> ResultControl;
    std::unique_ptr<TExamRecovery> Recovery;
    std::unique_ptr<TLearnerData> Learner;  // flags, drawn questions and attempts, in the learner's store
    TExamNavigator *Navigator = nullptr;     // the question tree's states, counts and flags
    std::unique_ptr<TExamKeys> ExamKeys;     // answering and moving by key
    TLearnerPages *LearnerPages = nullptr;   // review, progress, export, the draw's preference
    std::unique_ptr<TQuestionPicture> QuestionPicture; // the picture on PaintBoxQuestion, with its zoom
    QPointer<TActivityIndicator> ActivityIndicator;
    QStringList fExecuteParams;

    // --- widgets
    QMenu *MenuFile = nullptr;
    QAction *ActionStart = nullptr, *ActionNew = nullptr, *ActionOpen = nullptr, *ActionReopen = nullptr, *ActionSave = nullptr, *ActionSaveAs = nullptr, *ActionClose = nullptr, *ActionExit = nullptr;
    QMenu *MenuReopen = nullptr;
    QStackedWidget *CardPanel = nullptr;
    // start page
    QLabel *LabelStartTitile = nullptr, *LabelSelectLangugae = nullptr, *LabelAutoIdentifier = nullptr;
    QComboBox *ComboBoxExLanguage = nullptr;
    QLineEdit *EditIdentifier = nullptr;
    QToolButton *ButtonIdentifierMask = nullptr;
    QPushButton *ButtonNewExam = nullptr;
    // new-exam page
    QLabel *LabelSelectExamModel = nullptr;
    QWidget *BG_ExamModels = nullptr;
    QVBoxLayout *BG_ExamModelsLayout = nullptr;
    QScrollArea *ScrollExamModels = nullptr;
    // parameters page
    QWidget *PanelParams = nullptr;
    QLabel *LabelExamTitle = nullptr, *LabelExamTime = nullptr, *LabelParamsSelect = nullptr;
    QPushButton *ButtonCreate = nullptr;
    QTreeWidget *DB_Structure = nullptr;
    // build page
    QLabel *LabelCreateInfo = nullptr;
    QPushButton *ButtonStart = nullptr;
    // exam page
    QTreeWidget *VST_TreeExam = nullptr;
    QLabel *LabelQuestionInfo = nullptr, *LabelTime = nullptr;
    QWidget *PanelExamTool = nullptr;
    TPaintBox *PaintBoxQuestion = nullptr;
    QWidget *PanelAnswerTool = nullptr;
    TPaintBox *AnswerTool = nullptr;
    QPushButton *ButtonPrev = nullptr, *ButtonNext = nullptr, *ButtonFinish = nullptr;
    // result page
    QLabel *LabelResultInfo = nullptr;
    QScrollArea *ScrollBoxResult = nullptr;
    TPaintBox *PaintBoxResult = nullptr;
    QPushButton *ButtonReExam = nullptr;
    // progress panel and status bar
    QWidget *PanelProgress = nullptr;
    QProgressBar *ProgressBar = nullptr;
    QPushButton *ButtonAbort = nullptr;
    QLabel *StatusText = nullptr;
    QTimer TimerDownload;

    // --- start-up and window (UnitMainCommands)
    void Translate() override;
    void FormShow();
    void FormResize();
    void ComboBoxExLanguageSelect(int index);
    void ButtonIdentifierMaskClick();
    void StartUpdater();
    static quint32 GetOwnVersion();

    // --- commands
    void ActionStartExecute();
    void ActionNewExecute();
    void ActionCloseExecute();
    void ActionExitExecute();
    // Shows row 37 and returns true while a download runs.
    bool BusyRefused();
    bool Busy() const { return fDownloadMode >= dmModelList && fDownloadMode <= dmQuestionFiles; }
    void AbortRunningTransfer();
    void CloseExam();
    // Replaces the exam (nullptr: none) and resets everything that borrows it first.
    void SetExamModel(std::unique_ptr<TExamModel> model);
    // The exam has work that its file does not hold yet: the recovery copy follows.
    void ExamChanged();
    void ShowCard(TCard card);
    TCard CurrentCard() const;

    // --- downloads (UnitMainDownload)
    void SetDownloadMode(TDownloadMode value);
    void TimerDownloadTimer();
    void SetWait(bool value);
    void SetAbort(bool value);
    void FreeDownloadedStreams();
    // The lines of a downloaded catalogue text; a file that did not arrive reads as no lines.
    QStringList DownloadedLines(size_t index) const;
    void FillModelButtons();
    void RemoveModelButtons();
    void ExamModelButtonClicked(int index);
    void FillTopicTree();
    void DB_StructureNodeClick(QTreeWidgetItem *item);
    TCloudCallbacks DownloadCallbacks();

    // --- assembly (UnitMainAssembly)
    void ButtonCreateClick();
    bool DrawExamQuestions();

    // --- taking the exam (UnitMainExam)
    QTimer TimerExam;
    void ButtonStartClick();
    void FillExamTree();
    void VST_TreeExamFocusChanged(QTreeWidgetItem *item);
    void SetSelectedQuestionIndex(int index);
    void PaintBoxQuestionPaint();
    void AnswerToolMouseUp(int x, int y);
    void ButtonNextClick();
    void ButtonPrevClick();
    qint32 GetTime() const;
    void SetTime(qint32 value);
    void TimerExamTimer();
    void ButtonFinishClick();
    // The exam ends (by the learner or the clock): the result, kept in the history.
    void FinishExam();
    void ShowResult();
    void ButtonReExamClick();
    void StopExamClock();
    void ShowStartExamButton();
    int QuestionIndexOf(QTreeWidgetItem *item) const; // -1 for a subject node
    QTreeWidgetItem *QuestionNode(int index) const;

    // --- exam files (UnitMainFiles)
    // Yes saves, No closes the exam, Cancel stops the command (false).
    bool AskSaveCurrentExam();
    void ActionOpenExecute();
    void ActionSaveExecute();
    void ActionSaveAsExecute();
    void OpenExamFile(const QString &fileName);
    // Opens the recovery copy, continuing the exam as the learner left it.
    void ResumeExam(const QString &copyPath, const QString &fileName);
    void LoadOpenedExam();
    void ReopenExecute(QAction *sender);
    void ReopenClearExecute(QAction *sender);
    void FormDropFiles(const QStringList &paths);
    // Shows the open-exam options dialog and returns its outcome; tests replace it.
    std::function<int(class TFormOpenExamOption &dialog)> ShowOpenExamOption;

    // Ends the application; tests replace it to watch for it.
    std::function<void()> OnTerminate;
    void TerminateApplication();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildMenu();
    void BuildStartPage(QWidget *page);
    void BuildNewPage(QWidget *page);
    void BuildParamsPage(QWidget *page);
    void BuildBuildPage(QWidget *page);
    void BuildExamPage(QWidget *page);
    void BuildResultPage(QWidget *page);
    void BuildProgressPanel(QWidget *panel);
    void CreateAnswerControl();
    void RefreshTopicNode(QTreeWidgetItem *item);
    TBaseRec *RecordOf(QTreeWidgetItem *item);

    void CloseExamOnLoadFailure(int row);

    QString fOpenFrom; // the recovery copy being resumed, read in place of fSaveFileName
    bool fIdentifierMasked = true;
    bool fBuilt = false; // every widget exists
    bool fClosing = false;
};
