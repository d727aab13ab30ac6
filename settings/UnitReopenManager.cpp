#include "UnitReopenManager.h"

#include "UnitRegistry.h"
#include "UnitTranslate.h"

#include <QAction>
#include <QMenu>

TReopenManager::TReopenManager(QMenu *_ActionClient, TTavelkoRegistry *_TavelkoRegistry)
    : fActionClient(_ActionClient), fTavelkoRegistry(_TavelkoRegistry)
{
    for (const QString &fileName : fTavelkoRegistry->GetReopenList())
        fItems.push_back({fileName, nullptr});
}

TReopenManager::~TReopenManager()
{
    if (fActionClient)
        fActionClient->clear();
    Store();
}

void TReopenManager::Store() const
{
    QStringList list;
    for (const TEntry &entry : fItems)
        list.append(entry.fileName);
    try {
        fTavelkoRegistry->SetReopenList(list);
    } catch (const std::exception &) {
        // The program goes on; the list kept from the last good write stays as it was.
    }
}

std::unique_ptr<QAction> TReopenManager::NewEntryAction()
{
    auto action = std::make_unique<QAction>();
    QAction *raw = action.get();
    QObject::connect(raw, &QAction::triggered, raw, [this, raw]() {
        if (OnExecute)
            OnExecute(raw);
    });
    return action;
}

void TReopenManager::BuildStartInterface()
{
    for (TEntry &entry : fItems)
        entry.action = NewEntryAction();
    FillMenu();
}

void TReopenManager::AddNewItem(const QString &FullFileName)
{
    auto found = std::find_if(fItems.begin(), fItems.end(), [&](const TEntry &entry) {
        return entry.fileName.compare(FullFileName, Qt::CaseInsensitive) == 0;
    });
    if (found != fItems.end()) {
        if (found == fItems.begin())
            return;
        fItems.erase(found);
    }
    Scroll();
    fItems.front() = {FullFileName, NewEntryAction()};
    FillMenu();
    Store();
}

void TReopenManager::Scroll()
{
    fItems.insert(fItems.begin(), TEntry{});
    if (qint32(fItems.size()) > MaxCount)
        fItems.pop_back();
}

void TReopenManager::Clear()
{
    fItems.clear();
    FillMenu();
    Store();
}

QString TReopenManager::GetItem(qint32 Index) const
{
    if (Index < 0 || Index >= Count())
        return {};
    return fItems[size_t(Index)].fileName;
}

void TReopenManager::FillMenu()
{
    if (!fActionClient)
        return;
    fActionClient->clear();
    for (size_t i = 0; i < fItems.size(); ++i) {
        QAction *action = fItems[i].action.get();
        if (!action)
            continue;
        action->setIcon(Image);
        action->setData(qint32(i));
        action->setText(QStringLiteral("%1 %2").arg(i).arg(fItems[i].fileName));
        fActionClient->addAction(action);
    }
    if (fItems.empty())
        return;
    if (!fClearAction) {
        fClearAction = std::make_unique<QAction>(ClearImage, QString());
        QAction *raw = fClearAction.get();
        QObject::connect(raw, &QAction::triggered, raw, [this, raw]() {
            if (OnExecuteClear)
                OnExecuteClear(raw);
        });
    }
    fClearAction->setText(Tr(42));
    fActionClient->addSeparator();
    fActionClient->addAction(fClearAction.get());
}

void TReopenManager::Translate()
{
    if (fClearAction)
        fClearAction->setText(Tr(42));
}
