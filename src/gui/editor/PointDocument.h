// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/PointRecord.h"

#include <QList>
#include <QObject>
#include <QString>

class PointTableModel;
class QUndoStack;

// The points being edited and the file they belong to: the model the grid and
// the plan show, the history of changes, and the path and format Save writes.
// The window asks the user; this decides nothing that needs a question.
class PointDocument : public QObject
{
    Q_OBJECT

public:
    explicit PointDocument(QObject *parent = nullptr);

    PointTableModel *model() const { return m_model; }
    QUndoStack *undoStack() const { return m_undoStack; }

    // The file Save writes to; empty until a file was read or saved as.
    QString path() const { return m_path; }
    // The path's extension as the user wrote it (case kept).
    QString extension() const { return m_extension; }
    // By the extension after a read, the chosen one after Save as.
    CoordFormat format() const { return m_format; }
    // Save as's GSI range rule applies to the later Saves of its file too.
    bool rangeRule() const { return m_rangeRule; }
    QString crs() const { return m_crs; }
    // True when there is a file of a known format to Save to.
    bool canSave() const { return !m_path.isEmpty() && m_format != CoordFormat::None; }
    bool isModified() const;

    // Reads path as format (None: by what the file holds) into the model. The
    // path becomes the document's only when the file was read; rows a failed
    // read left behind belong to no file, so Save must ask for one.
    CoordReadResult read(const QString &path, CoordFormat format);

    // Replaces the rows with points that belong to no file yet (reduced
    // observations, say): Save asks for a name, and closing asks first.
    void replaceWithUnsaved(const PointSource &points);

    // Writes to the document's file through the core's safe save (a failed
    // write leaves the file as it was); the history is marked saved.
    CoordWriteResult save();
    // Writes to path in format with the range rule; once written, path and
    // format are the ones Save uses.
    CoordWriteResult saveAs(const QString &path, CoordFormat format, const QString &crs);

    // The edits, each one undoable step.
    void editCell(int row, int column, const QString &text);
    void insertPoint(int row, const PointRecord &point);
    void removeRows(const QList<int> &rows);

Q_SIGNALS:
    // The path or the format changed.
    void fileChanged();
    void modifiedChanged(bool modified);
    // A read replaced the rows: anything kept about the old ones is void.
    void rowsReplaced();

private:
    CoordWriteResult writeTo(const QString &path, CoordFormat format, bool rangeRule,
                             const QString &crs);
    void setFile(const QString &path, CoordFormat format, bool rangeRule, const QString &crs);

    PointTableModel *m_model;
    QUndoStack *m_undoStack;
    QString m_path;
    QString m_extension;
    CoordFormat m_format = CoordFormat::None;
    bool m_rangeRule = false;
    QString m_crs;
};
