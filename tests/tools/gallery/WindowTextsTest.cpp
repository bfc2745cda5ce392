// SPDX-License-Identifier: GPL-3.0-or-later
// Every text a window shows is in the user's language: each window and dialog
// is built in English and again with the Chinese translation installed, its
// visible texts are walked in the same order, and a text that is still the
// English one is listed, unless it is a name that stays as it is.
#include "core/state/AppState.h"
#include "gui/common/Translations.h"
#include "gui/converter/GsiToDxfDialog.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/PointGridView.h"
#include "tests/gui/editor/ModalAnswerer.h"
#include "tools/gallery/WindowGallery.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Texts that read the same in both languages, as the instrument's manager
// and converter have always shown them: the manager's "Filter：" and "Ready",
// the job slot labels, the converter's caption and its report.
const QStringList kSameInBothLanguages = {
    "Filter：",
    "Ready",
    "JobList 1:ROAD1",
    "JobList 2:BRIDGE-N",
    "JobList 3:道路中线",
    "JobList 4:PIT",
    "JobList 5:<empty>",
    "JobList 6:控制网",
    "JobList 7:<empty>",
    "JobList 8:SITE7",
    "JobList 9:<empty>",
    "JobList 10:<empty>",
    "JobList 11:<empty>",
    "JobList 12:<empty>",
    "JobList 13:<empty>",
    "JobList 14:<empty>",
    "JobList 15:<empty>",
    "JobList 16:<empty>",
    "JobList 17:<empty>",
    "GSIToDXF",
    "Writing dxf file done, 1 Point convert OK !",
};

// Windows of the gallery that belong to the manager.
const QStringList kManagerEntries = {"manager",
                                     "manager_preview",
                                     "menu_pc",
                                     "menu_instrument",
                                     "download",
                                     "download_observations",
                                     "upload",
                                     "new_name",
                                     "comm_settings",
                                     "wait",
                                     "message_connect_first",
                                     "message_cannot_delete",
                                     "progress"};

struct Shown
{
    QString where; // widget path and property: the same in both languages
    QString text;
};

class TextWalk
{
public:
    QList<Shown> texts;

    void walk(QWidget *widget, const QString &path)
    {
        if (widget->isWindow())
            add(path + ":title", widget->windowTitle());
        add(path + ":toolTip", widget->toolTip());
        if (auto *label = qobject_cast<QLabel *>(widget))
            add(path + ":text", label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(path + ":text", button->text());
        if (auto *group = qobject_cast<QGroupBox *>(widget))
            add(path + ":title", group->title());
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            add(path + ":placeholder", edit->placeholderText());
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                add(path + QStringLiteral(":item%1").arg(i), combo->itemText(i));
        }
        if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(path + QStringLiteral(":tab%1").arg(i), tabs->tabText(i));
        }
        if (auto *bar = qobject_cast<QStatusBar *>(widget))
            add(path + ":message", bar->currentMessage());
        if (auto *header = qobject_cast<QHeaderView *>(widget); header && !header->isHidden()) {
            if (QAbstractItemModel *model = header->model()) {
                const int count = header->orientation() == Qt::Horizontal ? model->columnCount()
                                                                          : model->rowCount();
                // Row numbers are numbers; only the first few are walked.
                for (int i = 0; i < qMin(count, 20); ++i)
                    add(path + QStringLiteral(":section%1").arg(i),
                        model->headerData(i, header->orientation()).toString());
            }
        }
        int actionIndex = 0;
        for (QAction *action : widget->actions())
            walkAction(action, path + QStringLiteral(":action%1").arg(actionIndex++));
        int index = 0;
        for (QObject *child : widget->children()) {
            auto *childWidget = qobject_cast<QWidget *>(child);
            if (!childWidget)
                continue;
            const QString childPath =
                QStringLiteral("%1/%2#%3")
                    .arg(path, QString::fromLatin1(childWidget->metaObject()->className()))
                    .arg(index++);
            // What is hidden is not seen; menus are walked through the actions
            // that open them, so a menu bar's overflow menu counts once.
            if (childWidget->isHidden() || qobject_cast<QMenu *>(childWidget))
                continue;
            walk(childWidget, childPath);
        }
    }

private:
    void add(const QString &where, const QString &text)
    {
        if (!text.isEmpty())
            texts.append({where, text});
    }

    void walkAction(QAction *action, const QString &path)
    {
        if (action->isSeparator() || !action->isVisible())
            return;
        add(path + ":text", action->text());
        // A tooltip never set is the text again, in either language.
        add(path + ":toolTip", action->toolTip());
        if (QMenu *menu = action->menu()) {
            add(path + ":menu", menu->title());
            int index = 0;
            for (QAction *entry : menu->actions())
                walkAction(entry, path + QStringLiteral("/%1").arg(index++));
        }
    }
};

// Names that are the same in every language: formats, the program's and the
// instrument's names, port names, numbers, paths and patterns.
bool staysAsItIs(const QString &shown)
{
    QString text = shown;
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    static const QRegularExpression noLetters(QStringLiteral("^[^A-Za-z]*$"));
    static const QRegularExpression names(QStringLiteral(
        "^(RQT300_COM( V[0-9.]+)?|RQT-318( \u21c4 PC)?|COM[0-9]+|GSI-16|GSI-8|GSI|DXF|ORB|SOUTH|"
        "CASS|TOPCON|IDX|IDEX|CSV|LandXML|GeoJSON|KML|Y  X  H|TO DXF|"
        // line ends and code pages as the instrument and the system name them
        "CRLF|CR|LF|GBK|Big5|Windows-[0-9]+|UTF-8)$"));
    // A file-type entry that is a format's name and its patterns: "ORB(*.orb *.ORB)".
    static const QRegularExpression fileType(
        QStringLiteral("^[A-Za-z0-9-]+ ?\\((\\*\\.[A-Za-z0-9]+ ?)+\\)$"));
    // A path or file name shown as it is on disk.
    static const QRegularExpression path(QStringLiteral("^([A-Za-z]:)?[/\\\\]|\\.[a-z]{2,4}$"));
    return noLetters.match(text).hasMatch() || names.match(text).hasMatch() ||
           fileType.match(text).hasMatch() || path.match(text).hasMatch();
}

// Builds the widget in the given language and walks it; the walk runs while
// the language is installed, as texts made later (tooltips) would be.
using Builder = std::function<void(const std::function<void(QWidget *)> &walk)>;

QList<Shown> textsIn(const QString &locale, const Builder &build)
{
    const Translations::Scope language(locale);
    TextWalk walker;
    build([&walker](QWidget *widget) {
        walker.walk(widget, QString::fromLatin1(widget->metaObject()->className()));
    });
    return walker.texts;
}

// "where: text" of every text that is the English one in Chinese too.
QStringList untranslated(const Builder &build)
{
    const QList<Shown> english = textsIn(QString(), build);
    const QList<Shown> chinese = textsIn(QStringLiteral("zh_CN"), build);
    // A walk that finds nothing would pass anything.
    EXPECT_FALSE(english.isEmpty());
    EXPECT_EQ(english.size(), chinese.size());
    QHash<QString, QString> chineseAt;
    for (const Shown &shown : chinese)
        chineseAt.insert(shown.where, shown.text);
    QStringList found;
    for (const Shown &shown : english) {
        const auto at = chineseAt.constFind(shown.where);
        if (at == chineseAt.constEnd() || *at != shown.text || staysAsItIs(shown.text) ||
            kSameInBothLanguages.contains(shown.text))
            continue;
        found << shown.text;
    }
    found.removeDuplicates();
    return found;
}

Builder galleryEntry(const WindowGallery::Entry &entry)
{
    return [entry](const std::function<void(QWidget *)> &walk) {
        AppState state;
        state.UiLanguage = Translations::isChinese() ? 1 : 0;
        std::unique_ptr<QWidget> widget(entry.make(state));
        ASSERT_NE(widget, nullptr) << entry.name.toStdString();
        if (!qobject_cast<QMenu *>(widget.get())) {
            widget->show();
            QApplication::processEvents();
        }
        walk(widget.get());
    };
}

QString listed(const QStringList &texts)
{
    return QLatin1Char('"') + texts.join(QStringLiteral("\", \"")) + QLatin1Char('"');
}

class WindowTextsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        FileDialogs::setNativeDialogsAllowed(false);
        if (!Translations::available().contains(QStringLiteral("zh_CN")))
            GTEST_SKIP() << "no Chinese translation built in";
    }
};

TEST_F(WindowTextsTest, everyWindowOfTheLauncherEditorAndConverterIsTranslated)
{
    const WindowGallery gallery = WindowGallery::catalog();
    for (const WindowGallery::Entry &entry : gallery.entries()) {
        if (kManagerEntries.contains(entry.name))
            continue;
        const QStringList found = untranslated(galleryEntry(entry));
        EXPECT_TRUE(found.isEmpty())
            << entry.name.toStdString() << " shows in English: " << listed(found).toStdString();
    }
}

bool qtChineseInstalled()
{
    return QFile::exists(
        QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath("qtbase_zh_CN.qm"));
}

TEST_F(WindowTextsTest, everyWindowOfTheManagerIsTranslated)
{
    // The message boxes' standard buttons are Qt's own, translated by Qt's
    // file, which a Qt without its translations (the Windows kit) lacks.
    const QStringList qtButtons =
        qtChineseInstalled() ? QStringList() : QStringList{"OK", "Cancel", "&Yes", "&No"};
    const WindowGallery gallery = WindowGallery::catalog();
    for (const WindowGallery::Entry &entry : gallery.entries()) {
        if (!kManagerEntries.contains(entry.name))
            continue;
        QStringList found = untranslated(galleryEntry(entry));
        for (const QString &button : qtButtons)
            found.removeAll(button);
        EXPECT_TRUE(found.isEmpty())
            << entry.name.toStdString() << " shows in English: " << listed(found).toStdString();
    }
}

// The editor's and the converter's own dialogs and message boxes, caught as
// they come up.
TEST_F(WindowTextsTest, theEditorsAndConvertersDialogsAreTranslated)
{
    // Their standard buttons are Qt's, translated by Qt's own file.
    if (!qtChineseInstalled())
        GTEST_SKIP() << "Qt's Chinese translation is not installed (qt6-translations-l10n)";
    QTemporaryDir dir;
    const QString gsi = dir.filePath(QStringLiteral("in.gsi"));
    {
        QFile file(gsi);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("*110001+0000000000000PT1 81..10+0000000000001000 82..10+0000000000002000 "
                   "83..10+0000000000003000 \r\n");
    }
    struct Case
    {
        const char *name;
        Builder build;
    };
    // Each dialog is walked as it comes and then cancelled. Of a file dialog
    // only the file types are this program's; the rest is Qt's own.
    const auto walkEach = [](const std::function<void(QWidget *)> &walk) {
        return [&walk](QWidget *modal) {
            if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                if (auto *types = files->findChild<QComboBox *>(QStringLiteral("fileTypeCombo")))
                    walk(types);
                static_cast<QDialog *>(files)->reject();
                return;
            }
            walk(modal);
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                if (QAbstractButton *cancel = box->button(QMessageBox::Cancel))
                    cancel->click();
                else
                    box->accept();
            } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
                dialog->reject();
            }
        };
    };
    const QList<Case> cases = {
        {"the question before closing a changed editor",
         [&walkEach](const std::function<void(QWidget *)> &walk) {
             EditorWindow editor;
             editor.show();
             editor.grid()->doubleClickCell(0, 5); // a row added: a change
             ASSERT_TRUE(editor.grid()->commitEdit());
             ModalAnswerer answerer;
             answerer.then(walkEach(walk));
             editor.close();
             EXPECT_TRUE(answerer.allAnswered());
         }},
        {"the editor's Open dialog",
         [&walkEach](const std::function<void(QWidget *)> &walk) {
             EditorWindow editor;
             editor.show();
             ModalAnswerer answerer;
             answerer.then(walkEach(walk));
             editor.runOpen();
             EXPECT_TRUE(answerer.allAnswered());
         }},
        {"the editor's Save as dialog",
         [&walkEach](const std::function<void(QWidget *)> &walk) {
             EditorWindow editor;
             editor.show();
             ModalAnswerer answerer;
             answerer.then(walkEach(walk));
             editor.runSaveAs();
             EXPECT_TRUE(answerer.allAnswered());
         }},
        {"the converter's message when it is done",
         [&walkEach, &dir, &gsi](const std::function<void(QWidget *)> &walk) {
             GsiToDxfDialog converter;
             converter.setGsiPath(gsi);
             converter.show();
             ModalAnswerer answerer;
             answerer.then(walkEach(walk));
             EXPECT_TRUE(converter.convertTo(dir.filePath(QStringLiteral("out.dxf"))));
             EXPECT_TRUE(answerer.allAnswered());
         }},
    };
    for (const Case &c : cases) {
        const QStringList found = untranslated(c.build);
        EXPECT_TRUE(found.isEmpty())
            << c.name << " shows in English: " << listed(found).toStdString();
    }
}

// The allow-list itself: names pass, sentences and words do not.
TEST(WindowTextNames, formatAndProgramNamesStayAndWordsDoNot)
{
    for (const char *name :
         {"RQT300_COM", "RQT300_COM V1.03", "GSI-16", "DXF", "&ORB", "ORB(*.orb *.ORB)", "COM5",
          "0.001", "...", "/home/survey/a.gsi", "control.dxf"})
        EXPECT_TRUE(staysAsItIs(QString::fromUtf8(name))) << name;
    for (const char *text : {"GSI-16 file", "GSI file(*.gsi *.GSI)", "OK", "All files (*)", "Ready",
                             "My Computer", "FixPoints: 25", "GSIToDXF", "&File"})
        EXPECT_FALSE(staysAsItIs(QString::fromUtf8(text))) << text;
}

} // namespace
