#pragma once

#include <QString>
#include <QStringList>

// Every text of the editor window and its settings dialog, in the language
// UiLanguage selects (0 English, 1 Chinese).
struct EditorTexts
{
    QString caption;
    QString fileMenu;
    QString open;
    QString save;
    QString saveAs;
    QString optionsMenu;
    QString settings;
    QStringList columns;

    // Settings dialog
    QString settingsCaption;
    QString unitLabel;
    QString precisionLabel;
    QString ok;
    QString cancel;
    QString unitEntry;
    QString precisionEntry;

    // Questions and reports of the file commands
    QString unsavedQuestion;
    QString notRecognised;   // %1: file name
    QString readFailed;      // %1: file name, %2: reason
    QString writeFailed;     // %1: file name, %2: reason
    QString noFormatForName; // %1: file name
    QString zeroRowsWritten; // %1: format, %2: count, %3: row numbers
    QString andMore;         // %1: count not listed

    static EditorTexts forLanguage(int uiLanguage);

    // File-type lists of the two dialogs; their order is what Save as goes by.
    static QString openFileTypes();
    static QString saveAsFileTypes();
};
