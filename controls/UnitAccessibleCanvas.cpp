#include "UnitAccessibleCanvas.h"

#include "UnitPaintBox.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace {

TPaintBox *DescribedBox(QObject *object)
{
    auto *box = dynamic_cast<TPaintBox *>(object);
    return box && box->AccessibleItemCount && box->AccessibleItem ? box : nullptr;
}

int ItemCount(const TPaintBox *box)
{
    return box && box->AccessibleItemCount ? box->AccessibleItemCount() : 0;
}

// One drawn item; it reads the control afresh each time, so it never shows a stale state.
class TAccessibleCanvasItem : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    TAccessibleCanvasItem(TPaintBox *box, int index) : fBox(box), fIndex(index) {}

    bool isValid() const override { return fBox && fIndex < ItemCount(fBox); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return fBox ? fBox->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return fBox ? QAccessible::queryAccessibleInterface(fBox.data()) : nullptr; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        const TAccessibleItem item = Item();
        return t == QAccessible::Name ? item.name : t == QAccessible::Value || t == QAccessible::Description ? item.value : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = Item().rect;
        return QRect(fBox->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override
    {
        return isValid() && Item().checkable ? QAccessible::CheckBox : QAccessible::ListItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const TAccessibleItem item = Item();
        state.checkable = item.checkable;
        state.checked = item.checked;
        state.invisible = !fBox->isVisible();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && isValid() && fBox->OnPressItem)
            fBox->OnPressItem(fIndex);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    TAccessibleItem Item() const { return fBox->AccessibleItem(fIndex); }

    QPointer<TPaintBox> fBox;
    int fIndex;
};

// The control itself, parent of its items. The items it hands out are registered once each and
// go with it.
class TAccessiblePaintBox : public QAccessibleWidget
{
public:
    explicit TAccessiblePaintBox(TPaintBox *box) : QAccessibleWidget(box, QAccessible::Grouping) {}
    ~TAccessiblePaintBox() override
    {
        for (const QAccessible::Id id : std::as_const(fItems))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return ItemCount(Box()); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (!fItems.contains(index))
            fItems.insert(index, QAccessible::registerAccessibleInterface(new TAccessibleCanvasItem(Box(), index)));
        return QAccessible::accessibleInterface(fItems.value(index));
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (auto it = fItems.cbegin(); it != fItems.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key() < childCount() ? it.key() : -1;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint local = Box()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i)
            if (Box()->AccessibleItem(i).rect.contains(local))
                return child(i);
        return nullptr;
    }

private:
    TPaintBox *Box() const { return static_cast<TPaintBox *>(widget()); }

    mutable QHash<int, QAccessible::Id> fItems;
};

QAccessibleInterface *CanvasFactory(const QString &, QObject *object)
{
    TPaintBox *box = DescribedBox(object);
    return box ? new TAccessiblePaintBox(box) : nullptr;
}

} // namespace

void InstallAccessibleCanvas()
{
    static const bool installed = [] {
        QAccessible::installFactory(CanvasFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
