// The download machine: every fetch from the file cloud, the progress panel and its Abort, and
// the two catalogue pages it feeds (model buttons, topic tree).

#include "UnitMain.h"

#include "TavelkoError.h"
#include "UnitActivityIndicator.h"
#include "UnitArtwork.h"
#include "UnitExamModel.h"
#include "UnitMessageBox.h"
#include "UnitTextLines.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString ModelListName = QStringLiteral("ModelList.txt");
const QString StructureName = QStringLiteral("DB_Structure.dbstf");

} // namespace

QStringList TFormMain::DownloadedLines(size_t index) const
{
    return index < BufferStreams.size() && BufferStreams[index] ? TextToLines(*BufferStreams[index]) : QStringList();
}

void TFormMain::SetDownloadMode(TDownloadMode value)
{
    TimerDownload.stop();
    switch (value) {
    case dmNone:
        break;
    case dmStart:
        fFtpObject = nullptr;
        fWait = false;
        fAbort = false;
        delete ActivityIndicator;
        ActivityIndicator = new TActivityIndicator;
        ProgressBar->setValue(0);
        PanelProgress->show();
        StatusText->setText(Tr(12));
        break;
    case dmModelList:
    case dmModelListOffline:
    case dmModel:
        Files.clear();
        if (value == dmModel) {
            fDir = QStringLiteral("web/Tavelko/Models");
            Files << QStringLiteral("%1.ttprf").arg(Models.value(fSelectedModelIndex).Rec.Index);
        } else {
            fDir = QStringLiteral("/web/Tavelko");
            Files << ModelListName;
            if (value == dmModelList)
                Files << StructureName;
        }
        SetWait(true);
        TimerDownload.start();
        StatusText->setText(Tr(value == dmModelList ? 14 : value == dmModelListOffline ? 50 : 16));
        break;
    case dmQuestionFiles:
        fDir = QStringLiteral("web/DataBase");
        SetWait(true);
        TimerDownload.start();
        StatusText->setText(Tr(22));
        break;
    case dmAbort:
        PanelProgress->hide();
        if (fFtpObject)
            fFtpObject->Abort();
        QCoreApplication::processEvents();
        fDownloadMode = dmAbort;
        fClosing = true;
        close();
        return;
    case dmFinish: {
        fFtpObject = nullptr;
        delete ActivityIndicator;
        PanelProgress->hide();
        const TDownloadMode finished = fDownloadMode;
        fDownloadMode = dmFinish;
        switch (finished) {
        case dmModelList:
        case dmModelListOffline:
            Models = ParseModelList(DownloadedLines(0));
            if (finished == dmModelList)
                Structure = ParseStructure(DownloadedLines(1));
            Files.clear();
            FreeDownloadedStreams();
            StatusText->clear();
            if (finished == dmModelList)
                FillModelButtons();
            else
                LoadOpenedExam();
            break;
        case dmModel:
            SetExamModel(!BufferStreams.empty() && BufferStreams[0] ? TExamModel::CreateFromTextStream(*BufferStreams[0])
                                                                    : nullptr);
            FreeDownloadedStreams();
            StatusText->clear();
            if (ExamModel && ExamModel->AdaptToModelList(Models, true)) {
                FillTopicTree();
                Files.clear();
            } else {
                // A definition that does not read is as useless as one no longer listed.
                TMessageBox::ShowMessage(this, Tr(51));
                CloseExam();
            }
            break;
        case dmQuestionFiles:
            if (ExamModel) {
                // A picture the cloud did not deliver stays empty; its area is drawn white.
                for (std::optional<QByteArray> &stream : BufferStreams)
                    ExamModel->images.append(stream ? std::move(*stream) : QByteArray());
                BufferStreams.clear();
                StatusText->clear();
                ShowStartExamButton();
            }
            break;
        default:
            break;
        }
        fDownloadMode = dmFinish;
        return;
    }
    }
    fDownloadMode = value;
}

void TFormMain::TimerDownloadTimer()
{
    TimerDownload.stop();
    BufferStreams = TTavelkoCloud::DownLoadFiles(fDir, Files, DownloadCallbacks());
    SetWait(false);
    if (fDownloadMode == dmAbort) // the learner aborted: the window is closing already
        return;
    if (!BufferStreams.empty()) {
        SetDownloadMode(dmFinish);
        return;
    }
    TMessageBox::ShowMessage(this, Tr(7));
    TerminateApplication();
}

TCloudCallbacks TFormMain::DownloadCallbacks()
{
    TCloudCallbacks callbacks;
    callbacks.OnWorkBegin = [this](TFtpSession &sender, TWorkMode mode, qint64 countMax) {
        fFtpObject = &sender;
        ProgressBar->setMinimum(0);
        qint32 maximum = 0;
        if (mode == wmRead) {
            for (const QString &name : Files) // summed in 32 bits, wrapping like the original counter
                maximum = qint32(quint32(maximum) + quint32(sender.Size(name)));
        } else {
            maximum = qint32(countMax);
        }
        ProgressBar->setMaximum(std::max(maximum, 1));
        ProgressBar->setValue(0);
        QCoreApplication::processEvents();
    };
    callbacks.OnWork = [this](TFtpSession &, TWorkMode, qint64 count) {
        ProgressBar->setValue(int(std::min<qint64>(count, ProgressBar->maximum())));
        QCoreApplication::processEvents();
    };
    callbacks.OnWorkEnd = [this](TFtpSession &, TWorkMode) {
        fFtpObject = nullptr;
        QCoreApplication::processEvents();
    };
    callbacks.ReportError = [this](const QString &message) { TMessageBox::ShowMessage(this, message); };
    // The window stays served while the cloud connects, logs in or falls silent, and Abort
    // (or closing) ends the call at once.
    callbacks.OnWait = [this](TFtpSession &sender) {
        QCoreApplication::processEvents();
        if (fAbort || fDownloadMode == dmAbort)
            sender.Abort();
    };
    return callbacks;
}

void TFormMain::SetWait(bool value)
{
    fWait = value;
    if (!ActivityIndicator)
        return;
    if (value) {
        QWidget *page = CardPanel->currentWidget();
        QPoint at((page->width() - ActivityIndicator->width()) / 2, (page->height() - ActivityIndicator->height()) / 2);
        if (CurrentCard() == CardBuildExam && LabelCreateInfo->isVisible()) {
            // Below the waiting text, never over it.
            const QRect text = LabelCreateInfo->fontMetrics().boundingRect(
                LabelCreateInfo->contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, LabelCreateInfo->text());
            at.setY(LabelCreateInfo->mapTo(page, text.bottomLeft()).y() + 24);
        }
        ActivityIndicator->ShowOn(page, at);
    } else {
        ActivityIndicator->Dismiss();
    }
}

void TFormMain::SetAbort(bool value)
{
    fAbort = value;
    if (value && (fFtpObject || Busy())) { // also before the cloud has answered at all
        DownLoadAborted = true;
        if (fFtpObject)
            fFtpObject->Abort();
        SetDownloadMode(dmAbort);
    }
}

void TFormMain::FreeDownloadedStreams()
{
    TTavelkoCloud::FreeStreams(BufferStreams);
}

void TFormMain::RemoveModelButtons()
{
    while (BG_ExamModelsLayout->count() > 1) { // the last item is the stretch below the buttons
        QLayoutItem *item = BG_ExamModelsLayout->takeAt(0);
        delete item->widget();
        delete item;
    }
}

void TFormMain::FillModelButtons()
{
    RemoveModelButtons();
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(19);
    for (int i = 0; i < Models.size(); ++i) {
        auto *button = new QPushButton(Artwork::Icon(Artwork::imgModel),
                                       ModelButtonCaption(Models[i].Name, FormatSeconds(Models[i].Rec.ExamTime)), BG_ExamModels);
        button->setIconSize(QSize(56, 56));
        button->setFixedHeight(64);
        button->setFont(font);
        button->setStyleSheet(QStringLiteral("text-align: left; padding-left: 12px;"));
        connect(button, &QPushButton::clicked, this, [this, i] { ReportErrors(this, [&] { ExamModelButtonClicked(i); }); });
        BG_ExamModelsLayout->insertWidget(i, button);
    }
    LabelSelectExamModel->show();
    BG_ExamModels->show();
}

void TFormMain::ExamModelButtonClicked(int index)
{
    ShowCard(CardParams);
    fSelectedModelIndex = index;
    SetDownloadMode(dmStart);
    SetDownloadMode(dmModel);
}

TBaseRec *TFormMain::RecordOf(QTreeWidgetItem *item)
{
    const qsizetype index = item ? item->data(0, Qt::UserRole).toLongLong() : -1;
    return index >= 0 && index < Structure.size() ? &Structure[index].Rec : nullptr;
}

void TFormMain::RefreshTopicNode(QTreeWidgetItem *item)
{
    const TBaseRec *rec = RecordOf(item);
    if (!rec)
        return;
    item->setText(0, rec->Text);
    if (rec->ThemeIndex > 0)
        item->setIcon(0, Artwork::Icon(rec->Check ? Artwork::imgTopicOn : Artwork::imgTopicOff));
    else if (rec->PredmetIndex == 0 && rec->SubIndex == 0)
        item->setIcon(0, Artwork::Icon(Artwork::imgRoot));
    else
        item->setIcon(0, Artwork::Icon(Artwork::imgFolder));
}

void TFormMain::FillTopicTree()
{
    PanelParams->hide();
    DB_Structure->hide();
    const TModelListItem model = Models.value(fSelectedModelIndex);
    LabelExamTitle->setText(model.Name);
    LabelExamTime->setText(FormatSeconds(model.Rec.ExamTime));
    DB_Structure->clear();
    PanelParams->show();
    DB_Structure->show();
    DB_Structure->setUpdatesEnabled(false);

    // A node for the record (p, s, t) under the parent, or nullptr when there is no such record.
    auto add = [this](QTreeWidgetItem *parent, qint32 p, qint32 s, qint32 t) -> QTreeWidgetItem * {
        const TBaseRec *rec = FindStructureRec(Structure, p, s, t);
        if (!rec)
            return nullptr;
        qsizetype index = 0;
        while (&Structure[index].Rec != rec)
            ++index;
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(DB_Structure);
        item->setData(0, Qt::UserRole, qlonglong(index));
        RefreshTopicNode(item);
        return item;
    };

    QTreeWidgetItem *root = add(nullptr, 0, 0, 0);
    for (const auto &predmet : ExamModel->Predmets) {
        const qint32 p = predmet->BaseIndex;
        QTreeWidgetItem *container = add(root, p, 0, 0);
        if (!predmet->SubExists) {
            for (qint32 t = 1; add(container, p, 0, t); ++t) {
            }
            continue;
        }
        for (qint32 s = 1;; ++s) {
            QTreeWidgetItem *sub = add(container, p, s, 0);
            if (!sub)
                break;
            for (qint32 t = 1; add(sub, p, s, t); ++t) {
            }
        }
    }
    DB_Structure->setUpdatesEnabled(true);
    DB_Structure->expandAll();
}

void TFormMain::DB_StructureNodeClick(QTreeWidgetItem *item)
{
    TBaseRec *rec = RecordOf(item);
    if (rec && rec->ThemeIndex > 0) {
        const bool value = !rec->Check;
        const qint32 p = rec->PredmetIndex, s = rec->SubIndex;
        for (qint32 t = rec->ThemeIndex;; t += value ? -1 : 1) {
            TBaseRec *r = FindStructureRec(Structure, p, s, t);
            if (!r)
                break;
            if (value || t > 1)
                r->Check = value;
        }
        // Repaint the topic nodes of this container or sub-branch.
        QTreeWidgetItem *parent = item->parent();
        for (int i = 0; parent && i < parent->childCount(); ++i)
            RefreshTopicNode(parent->child(i));
    }
    DB_Structure->setCurrentItem(item);
}
