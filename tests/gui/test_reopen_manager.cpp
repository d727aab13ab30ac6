#include "UnitRegistry.h"
#include "UnitReopenManager.h"
#include "UnitTranslate.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

class TestReopenManager : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir fDir;
    QString Ini() const { return fDir.filePath("Tavelko.ini"); }

    static QStringList Captions(const QMenu &menu)
    {
        QStringList captions;
        for (QAction *action : menu.actions())
            captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        return captions;
    }

    static QStringList Items(const TReopenManager &manager)
    {
        QStringList items;
        for (qint32 i = 0; i < manager.Count(); ++i)
            items.append(manager.GetItem(i));
        return items;
    }

private slots:
    void init()
    {
        QFile::remove(Ini());
        SetCurrentLanguageIndex(langEnglish);
    }

    void startsFromTheStoredListAndStoresItBack()
    {
        TTavelkoRegistry registry(Ini());
        registry.SetReopenList({"/e/a.qmvx", "/e/b.qmvx"});
        {
            QMenu menu;
            TReopenManager manager(&menu, &registry);
            QVERIFY(menu.actions().isEmpty());
            manager.BuildStartInterface();
            QCOMPARE(Captions(menu), QStringList({"0 /e/a.qmvx", "1 /e/b.qmvx", "-", "Clear"}));
            manager.AddNewItem("/e/c.qmvx");
        }
        QCOMPARE(registry.GetReopenList(), QStringList({"/e/c.qmvx", "/e/a.qmvx", "/e/b.qmvx"}));
    }

    void addingMovesToTheTopAndIgnoresLetterCase()
    {
        TTavelkoRegistry registry(Ini());
        registry.SetReopenList({"A", "B", "C"});
        QMenu menu;
        TReopenManager manager(&menu, &registry);
        manager.BuildStartInterface();
        manager.AddNewItem("C");
        QCOMPARE(Items(manager), QStringList({"C", "A", "B"}));
        manager.AddNewItem("c");
        QCOMPARE(Items(manager), QStringList({"C", "A", "B"}));
        manager.AddNewItem("b");
        QCOMPARE(Items(manager), QStringList({"b", "C", "A"}));
        QCOMPARE(Captions(menu), QStringList({"0 b", "1 C", "2 A", "-", "Clear"}));
        for (qint32 i = 0; i < 3; ++i)
            QCOMPARE(menu.actions().at(i)->data().toInt(), i);
    }

    void neverMoreThanMaxCount()
    {
        TTavelkoRegistry registry(Ini());
        QMenu menu;
        TReopenManager manager(&menu, &registry);
        manager.BuildStartInterface();
        QVERIFY(menu.actions().isEmpty()); // no separator, no clear item without entries
        for (int i = 1; i <= 11; ++i)
            manager.AddNewItem(QStringLiteral("/e/%1.qmvx").arg(i));
        QCOMPARE(manager.Count(), 10);
        QCOMPARE(manager.GetItem(0), "/e/11.qmvx");
        QCOMPARE(manager.GetItem(9), "/e/2.qmvx");
        QCOMPARE(manager.GetItem(-1), QString());
        QCOMPARE(manager.GetItem(10), QString());
        QCOMPARE(menu.actions().size(), 12);
    }

    void clearEmptiesMenuAndStoredSection()
    {
        TTavelkoRegistry registry(Ini());
        registry.SetReopenList({"A", "B"});
        {
            QMenu menu;
            TReopenManager manager(&menu, &registry);
            manager.BuildStartInterface();
            manager.Clear();
            QVERIFY(menu.actions().isEmpty());
        }
        QSettings raw(Ini(), QSettings::IniFormat);
        QVERIFY(!raw.childGroups().contains("ReopenList"));
    }

    void clearCaptionFollowsTheLanguageAndCallbacksFire()
    {
        TTavelkoRegistry registry(Ini());
        QMenu menu;
        TReopenManager manager(&menu, &registry);
        QAction *executed = nullptr;
        QAction *cleared = nullptr;
        manager.OnExecute = [&](QAction *sender) { executed = sender; };
        manager.OnExecuteClear = [&](QAction *sender) { cleared = sender; };
        manager.BuildStartInterface();
        manager.AddNewItem("A");
        SetCurrentLanguageIndex(langRussian);
        manager.AddNewItem("B");
        QCOMPARE(menu.actions().last()->text(), TrIn(42, langRussian));
        SetCurrentLanguageIndex(langEnglish);
        manager.Translate(); // the window's language change
        QCOMPARE(menu.actions().last()->text(), QString("Clear"));

        menu.actions().at(1)->trigger();
        QVERIFY(executed);
        QCOMPARE(manager.GetItem(executed->data().toInt()), QString("A"));
        menu.actions().last()->trigger();
        QCOMPARE(cleared, menu.actions().last());
    }
};

QTEST_MAIN(TestReopenManager)
#include "test_reopen_manager.moc"
