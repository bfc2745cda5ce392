// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/CoordFileIo.h"

#include <QMainWindow>

class EditActions;
class PlanView;
class PointDocument;
class PointGridView;
class PointTableModel;
class QAction;
class QLabel;
class QMenu;
struct CoordReadResult;
struct CoordWriteResult;
class QSplitter;

// The coordinate file editor: one file's points (a PointDocument) in a grid
// beside their plan, opened and saved in any of the coordinate formats. The
// document reads, writes and keeps the file; this window chooses files, asks
// the user's questions and reports results. Escape closes it, asking first
// when the points were changed.
class EditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Where the IDX reader stands; every read starts outside.
    enum IdxReadState { Outside = 0, InDatabase = 1, InPoints = 2 };

    explicit EditorWindow(QWidget *parent = nullptr);
    ~EditorWindow() override;

    PointDocument *document() const { return m_document; }
    PointGridView *grid() const { return m_grid; }
    PointTableModel *pointModel() const;
    EditActions *editActions() const { return m_editActions; }
    QAction *openAction() const { return m_openAction; }
    QAction *saveAction() const { return m_saveAction; }
    QAction *saveAsAction() const { return m_saveAsAction; }
    QAction *settingsAction() const { return m_settingsAction; }
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *editMenu() const { return m_editMenu; }
    QMenu *optionsMenu() const { return m_optionsMenu; }
    PlanView *planView() const { return m_plan; }
    QAction *planAction() const { return m_planAction; }

    QString currentFilePath() const;
    QString currentFileExt() const;
    // The format Save writes: by the extension after Open, the chosen one
    // after Save as.
    CoordFormat currentFormat() const;
    int idxReadState() const { return m_idxReadState; }
    bool isModified() const;

    // Wide enough for all six columns at their widths, and the plan beside them.
    QSize sizeHint() const override;

    // The menu commands. Each returns whether it did what was asked; a
    // cancelled dialog or a failure returns false.
    bool runOpen();
    bool runSave();
    bool runSaveAs();
    void runSettings();

    // Open and Save as without their file dialogs: the path is the user's choice.
    bool openFile(const QString &path);
    bool saveAsFile(const QString &path, int fileTypeEntry);

    // File-type lists of the two dialogs; their order is what Save as goes by.
    static QString openFileTypes();
    static QString saveAsFileTypes();

    // The coordinate system GeoJSON and KML are written from: the last one
    // chosen, remembered between runs.
    static QString rememberedCrs();

protected:
    // Closing asks first when the points were changed and not saved.
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildMenus();
    void updateTitle();
    void updateRowCount();
    bool confirmDiscard();
    bool commitPendingEdit();
    bool reportWrite(const QString &path, const CoordWriteResult &result);
    void showMessage(int icon, const QString &text);
    void reportSkipped(const QString &name, const CoordReadResult &result);
    void showContextMenu(const QPoint &globalPos);
    void addPlanView();
    void showPlan(bool shown);
    bool chooseCrs(QString *crs);

    PointDocument *m_document = nullptr;
    PointGridView *m_grid = nullptr;
    EditActions *m_editActions = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_optionsMenu = nullptr;
    QAction *m_openAction = nullptr;
    QAction *m_saveAction = nullptr;
    QAction *m_saveAsAction = nullptr;
    QAction *m_settingsAction = nullptr;
    QSplitter *m_splitter = nullptr;
    PlanView *m_plan = nullptr;
    QAction *m_planAction = nullptr;
    QLabel *m_rowCount = nullptr;

    int m_idxReadState = Outside;
};
