#include "ColumnEntry.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaProperty>
#include <QStyledItemDelegate>

namespace kucun {

namespace {

// Ends an entry with Enter, Down or Up and goes on in the next or the row
// before.
class ColumnEntryDelegate : public QStyledItemDelegate
{
public:
    ColumnEntryDelegate(QAbstractItemView &view) : QStyledItemDelegate(&view), m_view(view) {}

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QWidget *>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            const int step = key == Qt::Key_Up ? -1
                             : key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down
                                 ? 1
                                 : 0;
            if (step != 0) {
                const QPersistentModelIndex entered = m_view.currentIndex();
                m_refused = false;
                emit commitData(editor);
                if (m_refused) {
                    // The entry stays open on its row with the text refused
                    // (opened again if the message took the focus from it).
                    if (m_view.indexWidget(entered) != editor) {
                        m_view.setCurrentIndex(entered);
                        m_view.edit(entered);
                    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
                        line->setFocus();
                        line->selectAll();
                    }
                    return true;
                }
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                moveBy(step);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        const QByteArray property = editor->metaObject()->userProperty().name();
        m_refused = !model->setData(index, editor->property(property.constData()), Qt::EditRole);
    }

private:
    void moveBy(int step)
    {
        const QModelIndex current = m_view.currentIndex();
        const QModelIndex next = current.sibling(current.row() + step, current.column());
        if (next.isValid()) {
            m_view.setCurrentIndex(next);
            m_view.edit(next);
        }
    }

    QAbstractItemView &m_view;
    mutable bool m_refused = false;
};

} // namespace

void enableColumnEntry(QAbstractItemView &view, int column)
{
    view.setItemDelegateForColumn(column, new ColumnEntryDelegate(view));
    view.setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                         QAbstractItemView::DoubleClicked);
    // Whatever cell of a row is clicked or reached, typing goes to the column.
    QObject::connect(view.selectionModel(), &QItemSelectionModel::currentChanged, &view,
                     [&view, column](const QModelIndex &current) {
                         if (current.isValid() && current.column() != column) {
                             view.setCurrentIndex(current.sibling(current.row(), column));
                         }
                     });
}

} // namespace kucun
