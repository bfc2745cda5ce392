// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/PointDocument.h"

#include "gui/editor/PointEditCommands.h"
#include "gui/editor/PointTableModel.h"

#include <QFile>
#include <QUndoStack>

PointDocument::PointDocument(QObject *parent)
    : QObject(parent), m_model(new PointTableModel(this)), m_undoStack(new QUndoStack(this))
{
    connect(m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { Q_EMIT modifiedChanged(!clean); });
}

bool PointDocument::isModified() const
{
    return !m_undoStack->isClean();
}

CoordReadResult PointDocument::read(const QString &path, CoordFormat format)
{
    CoordReadResult result;
    m_model->beginBulkLoad();
    if (format == CoordFormat::None) {
        result = CoordFileIo::open(path, *m_model);
    } else {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            result = CoordFileIo::read(file, format, *m_model);
        } else {
            result.status = CoordReadResult::Status::Failed;
            result.error = file.errorString();
        }
    }
    m_model->endBulkLoad();

    if (result.sinkCleared) {
        // The old rows are gone, and their history with them.
        Q_EMIT rowsReplaced();
        m_undoStack->clear();
    }
    if (result.status == CoordReadResult::Status::Read) {
        // "gsi" is saved as GSI-16, whichever variant was read.
        setFile(path, format, false, QString());
    } else if (result.sinkCleared) {
        setFile(QString(), CoordFormat::None, false, QString());
    }
    return result;
}

void PointDocument::replaceWithUnsaved(const PointSource &points)
{
    Q_EMIT rowsReplaced();
    m_model->beginBulkLoad();
    m_model->clear();
    for (qsizetype row = 0; row < points.pointCount(); ++row)
        m_model->append(points.point(row));
    m_model->endBulkLoad();
    m_undoStack->clear();
    // No clean state to go back to: the points are in no file.
    m_undoStack->resetClean();
    setFile(QString(), CoordFormat::None, false, QString());
}

CoordWriteResult PointDocument::save()
{
    return writeTo(m_path, m_format, m_rangeRule, m_crs);
}

CoordWriteResult PointDocument::saveAs(const QString &path, CoordFormat format, const QString &crs)
{
    const CoordWriteResult result = writeTo(path, format, true, crs);
    if (result.status == CoordWriteResult::Status::Written)
        setFile(path, format, true, crs);
    return result;
}

CoordWriteResult PointDocument::writeTo(const QString &path, CoordFormat format, bool rangeRule,
                                        const QString &crs)
{
    CoordWriteOptions options;
    options.gsiRangeRule = rangeRule;
    options.crs = crs;
    const CoordWriteResult result = CoordFileIo::write(path, format, *m_model, options);
    if (result.status == CoordWriteResult::Status::Written)
        m_undoStack->setClean();
    return result;
}

void PointDocument::setFile(const QString &path, CoordFormat format, bool rangeRule,
                            const QString &crs)
{
    m_path = path;
    m_extension = path.isEmpty() ? QString() : CoordFileIo::extensionOf(path);
    m_format = format;
    m_rangeRule = rangeRule;
    m_crs = crs;
    Q_EMIT fileChanged();
}

void PointDocument::editCell(int row, int column, const QString &text)
{
    const QString before = m_model->cellText(row, column);
    if (text != before)
        m_undoStack->push(new CellEditCommand(m_model, row, column, before, text));
}

void PointDocument::insertPoint(int row, const PointRecord &point)
{
    m_undoStack->push(new InsertRowCommand(m_model, row, point));
}

void PointDocument::removeRows(const QList<int> &rows)
{
    if (!rows.isEmpty())
        m_undoStack->push(new RemoveRowsCommand(m_model, rows));
}
