// The main window: its widgets, their layout, and the creation steps.

#include "UnitMain.h"

#include "TavelkoError.h"
#include "UnitActivityIndicator.h"
#include "UnitAnswerControl.h"
#include "UnitArtwork.h"
#include "UnitDataModule.h"
#include "UnitExamModel.h"
#include "UnitInstance.h"
#include "UnitMessageBox.h"
#include "UnitPaintBox.h"
#include "UnitRegistry.h"
#include "UnitReopenManager.h"
#include "UnitResultControl.h"
#include "UnitExamKeys.h"
#include "UnitExamNavigator.h"
#include "UnitExamRecovery.h"
#include "UnitLearnerData.h"
#include "UnitLearnerPages.h"
#include "UnitQuestionPicture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QFont PixelFont(int pixels, QFont::Weight weight = QFont::Normal, const QStringList &families = {})
{
    QFont font;
    if (!families.isEmpty())
        font.setFamilies(families);
    font.setPixelSize(pixels);
    font.setWeight(weight);
    return font;
}

const QStringList Tahoma{QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")};

} // namespace

TFormMain::TFormMain(const QStringList &args, QWidget *parent) : QMainWindow(parent), fExecuteParams(args)
{
    setWindowTitle(QStringLiteral("Tavelko"));
    setFont(PixelFont(13, QFont::DemiBold));
    resize(1280, 800);
    setMinimumSize(960, 640);
    OnTerminate = [this] {
        fClosing = true;
        close();
        QCoreApplication::exit(0);
    };

    BuildMenu();
    auto *central = new QWidget(this);
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    CardPanel = new QStackedWidget(central);
    centralLayout->addWidget(CardPanel, 1);
    QWidget *pages[6];
    for (QWidget *&page : pages) {
        page = new QWidget(CardPanel);
        CardPanel->addWidget(page);
    }
    for (QWidget *page : pages)
        page->installEventFilter(this); // the pages lay themselves out on every resize
    BuildStartPage(pages[CardStart]);
    BuildBuildPage(pages[CardBuildExam]);
    BuildExamPage(pages[CardExam]);
    BuildResultPage(pages[CardResult]);
    BuildNewPage(pages[CardNew]);
    BuildParamsPage(pages[CardParams]);
    LearnerPages = new TLearnerPages(*this);
    PanelProgress = new QWidget(central);
    BuildProgressPanel(PanelProgress);
    centralLayout->addWidget(PanelProgress);
    setCentralWidget(central);
    StatusText = new QLabel(this);
    // 300 pixels at least, as designed, and wider where a language needs it.
    StatusText->setMinimumWidth(300);
    statusBar()->addWidget(StatusText);

    fBuilt = true;
    TimerDownload.setSingleShot(true);
    TimerDownload.setInterval(100);
    connect(&TimerDownload, &QTimer::timeout, this, [this] { ReportErrors(this, [this] { TimerDownloadTimer(); }); });

    // FormCreate
    setAcceptDrops(true);
    QLocale::setDefault(QLocale::c()); // "." for decimals, no grouping, whatever the user's locale
    DataModule = std::make_unique<TDataModuleMain>();
    DataModuleMain = DataModule.get();
    TavelkoRegistry = std::make_unique<TTavelkoRegistry>();

    qint32 language = TTavelkoRegistry::DefaultLanguageIndex;
    ReportErrors(this, [&] { language = TavelkoRegistry->GetLanguageIndex(); });
    if (language < 0 || language >= LanguageCount)
        language = TTavelkoRegistry::DefaultLanguageIndex;
    ComboBoxExLanguage->setCurrentIndex(language);
    ComboBoxExLanguageSelect(language);

    ReportErrors(this, [&] { TavelkoRegistry->SetInstallPath(QCoreApplication::applicationDirPath() + QDir::separator()); });

    ReopenManager = std::make_unique<TReopenManager>(MenuReopen, TavelkoRegistry.get());
    ReopenManager->MaxCount = 10;
    ReopenManager->Image = Artwork::Icon(Artwork::imgRecentFile);
    ReopenManager->ClearImage = Artwork::Icon(Artwork::imgClearList);
    ReopenManager->OnExecute = [this](QAction *sender) { ReportErrors(this, [&] { ReopenExecute(sender); }); };
    ReopenManager->OnExecuteClear = [this](QAction *sender) { ReportErrors(this, [&] { ReopenClearExecute(sender); }); };
    ReopenManager->BuildStartInterface();

    // Without the question bank the learner is told once; the window still comes up whole.
    ReportErrors(this, [this] { DataModule->IdentifyUser(*TavelkoRegistry); });
    ReportErrors(this, [this] { EditIdentifier->setProperty("identifier", TavelkoRegistry->GetGUID()); });
    fIdentifierMasked = false;
    ButtonIdentifierMaskClick(); // shows it masked

    CreateAnswerControl();
    ShowCard(CardStart);
    Recovery = std::make_unique<TExamRecovery>();
    Learner = std::make_unique<TLearnerData>();

    // The updater asks a running client to close before it replaces it.
    // A second start hands its exam file over: this window comes forward and opens it as a
    // dropped file is opened.
    const auto openHandedOver = [this](const QString &path) {
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
        ReportErrors(this, [&] {
            if (!path.isEmpty() && !BusyRefused() && AskSaveCurrentExam())
                OpenExamFile(path);
        });
    };
    new Platform::TInstanceListener([this] { close(); }, openHandedOver, Platform::MainWindowChannel(), this);
}

TFormMain::~TFormMain()
{
    // FormDestroy
    StopExamClock();
    // Exit and closing keep the exam's recovery copy, up to its latest state.
    Recovery->Closing(ExamModel.get(), fSaveFileName, CurrentCard());
    Recovery.reset();
    ReopenManager.reset(); // stores the recent list
    try {
        TavelkoRegistry->SetLanguageIndex(ComboBoxExLanguage->currentIndex());
    } catch (const std::exception &) {
        // the window goes anyway; the language stays as stored before
    }
    FreeDownloadedStreams();
    SetExamModel(nullptr);
    AnswerControl.reset();
    if (DataModuleMain == DataModule.get())
        DataModuleMain = nullptr;
}

void TFormMain::CreateAnswerControl()
{
    const int width = AnswerTool->width(), height = AnswerTool->height();
    AnswerControl = std::make_unique<TAnswerControl>(AnswerTool, QStringLiteral("#"), QStringLiteral("#"), width, height,
                                                     TRectI{10, 10, width - 10, height - 10});
}

void TFormMain::BuildMenu()
{
    MenuFile = menuBar()->addMenu(QString());
    ActionStart = MenuFile->addAction(QString());
    ActionNew = MenuFile->addAction(QString());
    MenuFile->addSeparator();
    ActionOpen = MenuFile->addAction(QString());
    MenuReopen = new QMenu(this);
    ActionReopen = MenuFile->addMenu(MenuReopen);
    ActionReopen->setIcon(Artwork::Icon(Artwork::imgRecentFile));
    MenuFile->addSeparator();
    ActionSave = MenuFile->addAction(QString());
    ActionSaveAs = MenuFile->addAction(QString());
    MenuFile->addSeparator();
    ActionClose = MenuFile->addAction(QString());
    ActionExit = MenuFile->addAction(QString());

    ActionNew->setShortcut(QKeySequence::New);
    ActionOpen->setShortcut(QKeySequence::Open);
    ActionSave->setShortcut(QKeySequence::Save);
    ActionExit->setShortcut(QKeySequence::Quit);
    auto bind = [this](QAction *action, void (TFormMain::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { ReportErrors(this, [&] { (this->*handler)(); }); });
    };
    bind(ActionStart, &TFormMain::ActionStartExecute);
    bind(ActionNew, &TFormMain::ActionNewExecute);
    bind(ActionClose, &TFormMain::ActionCloseExecute);
    bind(ActionExit, &TFormMain::ActionExitExecute);
    bind(ActionOpen, &TFormMain::ActionOpenExecute);
    bind(ActionSave, &TFormMain::ActionSaveExecute);
    bind(ActionSaveAs, &TFormMain::ActionSaveAsExecute);
}

void TFormMain::BuildStartPage(QWidget *page)
{
    LabelStartTitile = new QLabel(page);
    LabelStartTitile->setFont(PixelFont(30, QFont::Bold));
    LabelStartTitile->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
    LabelSelectLangugae = new QLabel(page);
    LabelSelectLangugae->setFont(PixelFont(16, QFont::DemiBold));
    ComboBoxExLanguage = new QComboBox(page);
    ComboBoxExLanguage->setIconSize(QSize(48, 48));
    ComboBoxExLanguage->setFixedSize(360, 54);
    ComboBoxExLanguage->setFont(PixelFont(18));
    for (int i = 0; i < LanguageCount; ++i)
        ComboBoxExLanguage->addItem(QIcon(Artwork::Flag(i)), LanguageName(i));
    ComboBoxExLanguage->installEventFilter(this);
    ComboBoxExLanguage->view()->installEventFilter(this);
    connect(ComboBoxExLanguage, &QComboBox::activated, this,
            [this](int index) { ReportErrors(this, [&] { ComboBoxExLanguageSelect(index); }); });

    LabelAutoIdentifier = new QLabel(page);
    LabelAutoIdentifier->setFont(PixelFont(16, QFont::DemiBold));
    auto *identifier = new QWidget(page);
    identifier->setObjectName(QStringLiteral("IdentifierBox"));
    auto *identifierLayout = new QHBoxLayout(identifier);
    identifierLayout->setContentsMargins(0, 0, 0, 0);
    identifierLayout->setSpacing(4);
    EditIdentifier = new QLineEdit(identifier);
    EditIdentifier->setReadOnly(true);
    EditIdentifier->setFixedSize(457, 44);
    // 32 characters must fit: DejaVu Sans Mono runs wider than Consolas, hence 22 pixels.
    EditIdentifier->setFont(PixelFont(22, QFont::Normal, {QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono")}));
    EditIdentifier->setAlignment(Qt::AlignCenter);
    ButtonIdentifierMask = new QToolButton(identifier);
    ButtonIdentifierMask->setFixedSize(44, 44);
    ButtonIdentifierMask->setIconSize(QSize(28, 28));
    connect(ButtonIdentifierMask, &QToolButton::clicked, this, [this] { ButtonIdentifierMaskClick(); });
    identifierLayout->addWidget(EditIdentifier);
    identifierLayout->addWidget(ButtonIdentifierMask);
    identifier->adjustSize();

    ButtonNewExam = new QPushButton(page);
    ButtonNewExam->setFont(PixelFont(18, QFont::DemiBold));
    ButtonNewExam->setFixedSize(260, 52);
    ButtonNewExam->setIcon(Artwork::Icon(Artwork::imgModel));
    ButtonNewExam->setIconSize(QSize(32, 32));
    connect(ButtonNewExam, &QPushButton::clicked, this, [this] { ReportErrors(this, [this] { ActionNewExecute(); }); });
}

void TFormMain::BuildNewPage(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(40, 24, 40, 24);
    layout->setSpacing(16);
    LabelSelectExamModel = new QLabel(page);
    LabelSelectExamModel->setFont(PixelFont(24, QFont::Bold));
    LabelSelectExamModel->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
    LabelSelectExamModel->hide();
    ScrollExamModels = new QScrollArea(page);
    ScrollExamModels->setWidgetResizable(true);
    ScrollExamModels->setFrameShape(QFrame::NoFrame);
    BG_ExamModels = new QWidget;
    BG_ExamModelsLayout = new QVBoxLayout(BG_ExamModels);
    BG_ExamModelsLayout->setContentsMargins(0, 0, 0, 0);
    BG_ExamModelsLayout->setSpacing(8);
    BG_ExamModelsLayout->addStretch(1);
    ScrollExamModels->setWidget(BG_ExamModels);
    BG_ExamModels->hide();
    layout->addWidget(LabelSelectExamModel);
    layout->addWidget(ScrollExamModels, 1);
}

void TFormMain::BuildParamsPage(QWidget *page)
{
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PanelParams = new QWidget(page);
    auto *params = new QVBoxLayout(PanelParams);
    params->setContentsMargins(40, 32, 32, 32);
    params->setSpacing(18);
    LabelExamTitle = new QLabel(PanelParams);
    LabelExamTitle->setFont(PixelFont(24, QFont::Bold));
    LabelExamTitle->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
    LabelExamTitle->setWordWrap(true);
    LabelExamTime = new QLabel(PanelParams);
    LabelExamTime->setFont(PixelFont(20, QFont::DemiBold));
    LabelParamsSelect = new QLabel(PanelParams);
    LabelParamsSelect->setWordWrap(true);
    LabelParamsSelect->setFont(PixelFont(15));
    ButtonCreate = new QPushButton(PanelParams);
    ButtonCreate->setFont(PixelFont(18, QFont::DemiBold));
    ButtonCreate->setMinimumHeight(48);
    connect(ButtonCreate, &QPushButton::clicked, this, [this] { ReportErrors(this, [this] { ButtonCreateClick(); }); });
    auto row = [&](const QIcon &icon, QLabel *label) {
        auto *line = new QHBoxLayout;
        auto *picture = new QLabel(PanelParams);
        picture->setPixmap(icon.pixmap(32, 32));
        line->addWidget(picture);
        line->addWidget(label, 1);
        params->addLayout(line);
    };
    row(Artwork::Icon(Artwork::imgExam), LabelExamTitle);
    row(Artwork::Icon(Artwork::imgClock), LabelExamTime);
    params->addWidget(LabelParamsSelect);
    params->addWidget(ButtonCreate, 0, Qt::AlignLeft);
    params->addStretch(1);
    PanelParams->hide();

    DB_Structure = new QTreeWidget(page);
    DB_Structure->setHeaderHidden(true);
    DB_Structure->setFont(PixelFont(16, QFont::Normal, Tahoma));
    DB_Structure->setIconSize(QSize(20, 20));
    DB_Structure->setRootIsDecorated(true);
    DB_Structure->setUniformRowHeights(true);
    DB_Structure->setStyleSheet(QStringLiteral("QTreeView::item { height: 21px; border-bottom: 1px solid #E5E9F0; }"
                                               "QTreeView::item:selected { background: #CFE3F8; color: black; }"));
    connect(DB_Structure, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { ReportErrors(this, [&] { DB_StructureNodeClick(item); }); });
    DB_Structure->hide();
    layout->addWidget(PanelParams, 1);
    layout->addWidget(DB_Structure);
}

void TFormMain::BuildBuildPage(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    LabelCreateInfo = new QLabel(page);
    LabelCreateInfo->setAlignment(Qt::AlignCenter);
    LabelCreateInfo->setWordWrap(true);
    LabelCreateInfo->setFont(PixelFont(20, QFont::DemiBold));
    LabelCreateInfo->setStyleSheet(QStringLiteral("color: #475569;"));
    layout->addWidget(LabelCreateInfo);
    ButtonStart = new QPushButton(page);
    ButtonStart->setFont(PixelFont(22, QFont::Bold));
    ButtonStart->setFixedSize(320, 64);
    ButtonStart->hide();
}

void TFormMain::BuildExamPage(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    PanelExamTool = new QWidget(page);
    PanelExamTool->setFixedHeight(46);
    PanelExamTool->setStyleSheet(QStringLiteral("background: #E8EEF6;"));
    auto *tool = new QHBoxLayout(PanelExamTool);
    tool->setContentsMargins(12, 2, 23, 2);
    LabelQuestionInfo = new QLabel(PanelExamTool);
    LabelQuestionInfo->setFont(PixelFont(27, QFont::Normal, Tahoma));
    ButtonFinish = new QPushButton(PanelExamTool);
    ButtonFinish->setFixedSize(42, 42);
    ButtonFinish->setIcon(Artwork::Icon(Artwork::imgFinish));
    ButtonFinish->setIconSize(QSize(30, 30));
    LabelTime = new QLabel(QStringLiteral("00:00:00"), PanelExamTool);
    LabelTime->setFont(PixelFont(27, QFont::Normal, Tahoma));
    VST_TreeExam = new QTreeWidget(page);
    Navigator = new TExamNavigator(VST_TreeExam, page);
    Navigator->OnFlagChanged = [this](int index, bool flagged) {
        if (ExamModel)
            Learner->SetFlagged(*ExamModel, index, flagged);
    };
    tool->addWidget(LabelQuestionInfo, 1);
    tool->addWidget(ButtonFinish);
    tool->addSpacing(76 - 42);
    tool->addWidget(LabelTime);
    tool->addWidget(Navigator->FlagButton());
    layout->addWidget(PanelExamTool);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    VST_TreeExam->setHeaderHidden(true);
    VST_TreeExam->setFixedWidth(256);
    VST_TreeExam->setIconSize(QSize(20, 20));
    VST_TreeExam->setFont(PixelFont(16, QFont::DemiBold));
    VST_TreeExam->setUniformRowHeights(true);
    VST_TreeExam->setStyleSheet(QStringLiteral("QTreeView::item { height: 27px; }"));
    VST_TreeExam->installEventFilter(this);
    connect(VST_TreeExam, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { ReportErrors(this, [&] { VST_TreeExamFocusChanged(item); }); });
    auto *treeColumn = new QVBoxLayout;
    treeColumn->setSpacing(0);
    treeColumn->addWidget(VST_TreeExam, 1);
    Navigator->Footer()->setFixedWidth(256);
    treeColumn->addWidget(Navigator->Footer());
    body->addLayout(treeColumn);

    PaintBoxQuestion = new TPaintBox(page);
    PaintBoxQuestion->OnPaint = [this] { PaintBoxQuestionPaint(); };
    QuestionPicture = std::make_unique<TQuestionPicture>(PaintBoxQuestion, page);
    body->addWidget(PaintBoxQuestion, 1);

    PanelAnswerTool = new QWidget(page);
    PanelAnswerTool->setFixedWidth(256);
    auto *answer = new QVBoxLayout(PanelAnswerTool);
    answer->setContentsMargins(0, 0, 0, 0);
    answer->setSpacing(0);
    AnswerTool = new TPaintBox(PanelAnswerTool);
    AnswerTool->OnResize = [this] { FormResize(); };
    AnswerTool->OnPaint = [this] {
        if (AnswerControl)
            AnswerControl->Draw();
    };
    AnswerTool->OnMouseDown = [this](Qt::MouseButton button, int x, int y) {
        if (button == Qt::LeftButton && AnswerControl) {
            AnswerControl->Move(x, y);
            AnswerControl->Down(x, y);
        }
    };
    AnswerTool->OnMouseMove = [this](int x, int y) {
        if (AnswerControl)
            AnswerControl->Move(x, y);
    };
    AnswerTool->OnMouseUp = [this](Qt::MouseButton, int x, int y) { AnswerToolMouseUp(x, y); };
    ExamKeys = std::make_unique<TExamKeys>(
        AnswerTool, *Navigator, [this] { return CurrentCard() == CardExam ? AnswerControl.get() : nullptr; },
        [this](int x, int y) { AnswerToolMouseUp(x, y); });
    auto *navigator = new QWidget(PanelAnswerTool);
    navigator->setFixedHeight(60);
    auto *buttons = new QHBoxLayout(navigator);
    buttons->setContentsMargins(4, 6, 4, 6);
    ButtonPrev = new QPushButton(navigator);
    ButtonPrev->setFixedWidth(118);
    ButtonPrev->setIcon(Artwork::Icon(Artwork::imgPrev));
    ButtonNext = new QPushButton(navigator);
    ButtonNext->setIcon(Artwork::Icon(Artwork::imgNext));
    for (QPushButton *button : {ButtonPrev, ButtonNext}) {
        button->setIconSize(QSize(32, 32));
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        buttons->addWidget(button);
    }
    answer->addWidget(AnswerTool, 1);
    answer->addWidget(navigator);
    body->addWidget(PanelAnswerTool);
    layout->addLayout(body, 1);

    auto bind = [this](QPushButton *button, void (TFormMain::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { ReportErrors(this, [&] { (this->*handler)(); }); });
    };
    bind(ButtonPrev, &TFormMain::ButtonPrevClick);
    bind(ButtonNext, &TFormMain::ButtonNextClick);
    bind(ButtonFinish, &TFormMain::ButtonFinishClick);
    bind(ButtonStart, &TFormMain::ButtonStartClick);
    TimerExam.setInterval(1000);
    connect(&TimerExam, &QTimer::timeout, this, [this] { ReportErrors(this, [this] { TimerExamTimer(); }); });
}

void TFormMain::BuildResultPage(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *top = new QWidget(page);
    top->setMinimumHeight(48); // grows when the heading wraps
    top->setStyleSheet(QStringLiteral("background: #E8EEF6;"));
    auto *topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(12, 3, 12, 3);
    LabelResultInfo = new QLabel(top);
    LabelResultInfo->setFont(PixelFont(16, QFont::DemiBold));
    LabelResultInfo->setWordWrap(true); // every figure stays visible, however long the language
    LabelResultInfo->setMinimumWidth(1);
    ButtonReExam = new QPushButton(top);
    ButtonReExam->setFixedWidth(249);
    ButtonReExam->setMinimumHeight(38);
    ButtonReExam->setIcon(Artwork::Icon(Artwork::imgRetake));
    connect(ButtonReExam, &QPushButton::clicked, this, [this] { ReportErrors(this, [this] { ButtonReExamClick(); }); });
    topLayout->addWidget(LabelResultInfo, 1);
    topLayout->addWidget(ButtonReExam);
    ScrollBoxResult = new QScrollArea(page);
    ScrollBoxResult->setWidgetResizable(false);
    ScrollBoxResult->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBoxResult->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBoxResult->setStyleSheet(QStringLiteral("QScrollArea { background: white; border: none; }"));
    PaintBoxResult = new TPaintBox;
    PaintBoxResult->OnPaintArea = [this](QPainter &painter, const QRect &exposed) {
        if (ResultControl)
            ResultControl->Paint(painter, exposed); // only what the scroll box shows
        else
            painter.fillRect(exposed, Qt::white);
    };
    PaintBoxResult->OnMouseDown = [this](Qt::MouseButton button, int x, int y) {
        if (button == Qt::LeftButton && ResultControl)
            ResultControl->Down(x, y);
    };
    PaintBoxResult->OnMouseMove = [this](int x, int y) {
        if (ResultControl)
            ResultControl->Move(x, y);
    };
    PaintBoxResult->OnMouseUp = [this](Qt::MouseButton, int x, int y) {
        if (ResultControl)
            ResultControl->Up(x, y);
    };
    // The list takes the keyboard too and tells assistive technology its columns.
    PaintBoxResult->setFocusPolicy(Qt::StrongFocus);
    PaintBoxResult->OnKey = [this](const QKeyEvent &event) {
        if (!ResultControl || !ResultControl->Key(event.key()))
            return false;
        const QRect hot = ResultControl->HotRect();
        ScrollBoxResult->ensureVisible(hot.center().x(), hot.center().y(), hot.width() / 2 + 8, hot.height() / 2 + 8);
        return true;
    };
    PaintBoxResult->AccessibleItemCount = [this] { return ResultControl ? ResultControl->ColumnCount() : 0; };
    PaintBoxResult->AccessibleItem = [this](int index) { return ResultControl->AccessibleColumn(index); };
    PaintBoxResult->OnPressItem = [this](int index) { ResultControl->PressColumn(index); };
    ScrollBoxResult->setWidget(PaintBoxResult);
    ScrollBoxResult->viewport()->installEventFilter(this);
    layout->addWidget(top);
    layout->addWidget(ScrollBoxResult, 1);
}

void TFormMain::BuildProgressPanel(QWidget *panel)
{
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(8, 4, 8, 4);
    ProgressBar = new QProgressBar(panel);
    ProgressBar->setTextVisible(false);
    ProgressBar->setMinimumHeight(24);
    ButtonAbort = new QPushButton(panel);
    ButtonAbort->setMinimumWidth(140);
    connect(ButtonAbort, &QPushButton::clicked, this, [this] { ReportErrors(this, [this] { SetAbort(true); }); });
    layout->addWidget(ProgressBar, 1);
    layout->addWidget(ButtonAbort);
    panel->hide();
}

void TFormMain::Translate()
{
    MenuFile->setTitle(Tr(71));
    if (ReopenManager)
        ReopenManager->Translate();
    AnswerTool->setToolTip(Tr(94));
    AnswerTool->setAccessibleName(Tr(106));
    PaintBoxResult->setAccessibleName(Tr(109));
    Navigator->Translate();
    LearnerPages->Translate();
    ActionStart->setText(Tr(0));
    ActionNew->setText(Tr(1));
    ActionOpen->setText(Tr(2));
    ActionSave->setText(Tr(3));
    ActionSaveAs->setText(Tr(4));
    ActionClose->setText(Tr(5));
    ActionExit->setText(Tr(6));
    ActionReopen->setText(Tr(8));
    LabelStartTitile->setText(Tr(9));
    LabelSelectLangugae->setText(Tr(10));
    LabelAutoIdentifier->setText(Tr(11));
    ButtonNewExam->setText(Tr(1));
    LabelSelectExamModel->setText(Tr(13));
    LabelParamsSelect->setText(Tr(17));
    ButtonCreate->setText(Tr(20));
    LabelCreateInfo->setText(Tr(21));
    ButtonStart->setText(Tr(18));
    ButtonAbort->setText(Tr(28));
    ButtonReExam->setText(Tr(43));
    for (QLabel *label : {LabelStartTitile, LabelSelectLangugae, LabelAutoIdentifier})
        label->adjustSize();
}

void TFormMain::FormResize()
{
    if (!fBuilt)
        return;
    QWidget *start = CardPanel->widget(CardStart);
    const int width = start->width();
    auto centre = [width](QWidget *widget, int top) { widget->move((width - widget->width()) / 2, top); };
    centre(LabelStartTitile, 48);
    centre(LabelSelectLangugae, 128);
    centre(ComboBoxExLanguage, 174);
    centre(LabelAutoIdentifier, 240);
    centre(start->findChild<QWidget *>(QStringLiteral("IdentifierBox")), 286);
    centre(ButtonNewExam, 352);
    centre(start->findChild<QWidget *>(QStringLiteral("LearnerBox")), 420);

    QWidget *build = CardPanel->widget(CardBuildExam);
    ButtonStart->move((build->width() - ButtonStart->width()) / 2, (build->height() - ButtonStart->height()) / 2);

    DB_Structure->setFixedWidth(CardPanel->widget(CardParams)->width() / 2);
    if (ResultControl) // its texts may have changed language
        PaintBoxResult->resize(ScrollBoxResult->viewport()->width(), ResultControl->Height());

    if (AnswerControl && AnswerTool->width() > 10 && AnswerTool->height() > 10) {
        AnswerControl->SetWidth(AnswerTool->width());
        AnswerControl->SetHeight(AnswerTool->height());
        AnswerControl->SetRect({10, 10, AnswerTool->width() - 10, AnswerTool->height() - 10});
    }
}

void TFormMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TFormMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched->parent() == CardPanel)
        FormResize();
    if (fBuilt && event->type() == QEvent::Resize && watched == ScrollBoxResult->viewport() && ResultControl) {
        // The list follows the width of its scroll box.
        ResultControl->SetWidth(ScrollBoxResult->viewport()->width());
        PaintBoxResult->resize(ScrollBoxResult->viewport()->width(), ResultControl->Height());
    }
    if (fBuilt && watched == VST_TreeExam && event->type() == QEvent::KeyPress) {
        bool answered = false;
        ReportErrors(this, [&] { answered = ExamKeys->Handle(*static_cast<QKeyEvent *>(event)); });
        if (answered)
            return true;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            return false; // moving the keyboard focus on is no tree navigation
        ReportErrors(this, [&] {
            if (key == Qt::Key_Space || key == Qt::Key_Right || key == Qt::Key_Down)
                ButtonNextClick();
            else if (key == Qt::Key_Left || key == Qt::Key_Up)
                ButtonPrevClick();
        });
        return true; // every other key does nothing in the tree
    }
    // Typing into the language box is swallowed; only the list chooses a language.
    if (event->type() == QEvent::KeyPress && fBuilt
        && (watched == ComboBoxExLanguage || watched == ComboBoxExLanguage->view())) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
