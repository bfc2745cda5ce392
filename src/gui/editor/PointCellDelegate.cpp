// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/PointCellDelegate.h"

#include "gui/editor/PointDocument.h"
#include "gui/editor/PointTableModel.h"

#include <QKeyEvent>
#include <QLineEdit>

PointCellDelegate::PointCellDelegate(PointDocument *document, QObject *parent)
    : QStyledItemDelegate(parent), m_document(document)
{
}

namespace {
// The column an editor was made for: what its text is checked as.
const char *const kColumnProperty = "cellColumn";
} // namespace

CellCheck::Outcome PointCellDelegate::check(const QWidget *editor)
{
    const auto *line = qobject_cast<const QLineEdit *>(editor);
    return CellCheck::check(editor ? editor->property(kColumnProperty).toInt() : -1,
                            line ? line->text() : QString());
}

QWidget *PointCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                         const QModelIndex &index) const
{
    auto *line = new QLineEdit(parent);
    line->setProperty(kColumnProperty, index.column());
    line->setObjectName(QStringLiteral("CellEdit"));
    line->setFrame(true);
    return line;
}

void PointCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(m_document->model()->cellText(index.row(), index.column()));
}

void PointCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *,
                                     const QModelIndex &index) const
{
    // Through the document, so the change is one step of its history; a text
    // the cell refuses is never written.
    const CellCheck::Outcome checked = check(editor);
    if (checked.accepted)
        m_document->editCell(index.row(), index.column(), checked.text);
}

void PointCellDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                             const QModelIndex &) const
{
    // The whole cell, not the style's text rectangle inside it.
    editor->setGeometry(option.rect);
}

bool PointCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    if (!editor)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            event->accept();
            const CellCheck::Outcome checked = check(editor);
            if (!checked.accepted) {
                Q_EMIT refused(editor, checked.reason);
                return true;
            }
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        }
        case Qt::Key_Escape:
            event->accept();
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            return true;
        default:
            // Tab moves the focus on and leaves the cell open, as any other key
            // is the line edit's own.
            return false;
        }
    case QEvent::FocusOut:
        return false;
    default:
        return QStyledItemDelegate::eventFilter(object, event);
    }
}
