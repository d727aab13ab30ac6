#pragma once

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class TTavelkoRegistry;

// The recent exam files, newest first, offered as the entries of a submenu followed by a
// separator and a "Clear" item. The list is loaded from the settings store when the manager is
// created, and stored back whenever it changes (so that a crash does not lose it) and when it is
// destroyed.
class TReopenManager
{
public:
    // Keeps both references (neither is owned) and loads the list; the menu stays untouched.
    TReopenManager(QMenu *_ActionClient, TTavelkoRegistry *_TavelkoRegistry);
    // Stores the list, frees the entries' actions and empties the submenu.
    ~TReopenManager();
    TReopenManager(const TReopenManager &) = delete;
    TReopenManager &operator=(const TReopenManager &) = delete;

    QIcon Image;      // every entry's icon
    QIcon ClearImage; // the clear item's icon
    qint32 MaxCount = 10;
    // The chosen entry's action comes along; its data() is the entry's index.
    std::function<void(QAction *sender)> OnExecute;
    std::function<void(QAction *sender)> OnExecuteClear;

    // Gives every loaded entry its action and fills the submenu; once, after the properties.
    void BuildStartInterface();
    // Makes the file the newest entry: moves it up when listed (in any letter case), else pushes
    // the oldest out beyond MaxCount.
    void AddNewItem(const QString &FullFileName);
    // Opens a free slot at the top and drops the oldest entry beyond MaxCount.
    void Scroll();
    void Clear();
    // The "Clear" item in the current language.
    void Translate();
    // The file name of an entry, empty for an index out of range.
    QString GetItem(qint32 Index) const;
    qint32 Count() const { return qint32(fItems.size()); }

private:
    struct TEntry
    {
        QString fileName;
        std::unique_ptr<QAction> action;
    };

    std::unique_ptr<QAction> NewEntryAction();
    void Store() const;
    void FillMenu();

    QPointer<QMenu> fActionClient; // the window may have taken its menu down first
    TTavelkoRegistry *fTavelkoRegistry;
    std::vector<TEntry> fItems;
    std::unique_ptr<QAction> fClearAction;
};
