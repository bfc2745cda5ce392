#pragma once

#include <QDialog>
#include <QTimer>

struct AppState;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// "Send/Receive...": follows a download or an upload by
// polling TransferBlock and TransferDone, and closes when the transfer ends.
// The bars count lines (full at 100 and at 1000), not a percentage.
class ProgressDialog : public QDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString caption, fileType, from, to, block, cancel;
        static Texts forLanguage(int uiLanguage);
    };
    static constexpr int kDefaultTickMs = 200;

    // destination: the upload's job name; a download shows PcPath instead.
    ProgressDialog(AppState &state, const QString &uploadJobName, QWidget *parent = nullptr,
                   int tickMs = kDefaultTickMs);

    static QString dataTypeText(int dataTypeIndex);

    void tick();
    // Closes the dialog after telling the user why (link lost, transfer failed).
    void abortWithMessage(const QString &text);

    QLineEdit *fileTypeField() const { return m_fileType; }
    QLineEdit *destinationField() const { return m_destination; }
    QLineEdit *blockField() const { return m_block; }
    QProgressBar *shortBar() const { return m_bar100; }
    QProgressBar *longBar() const { return m_bar1000; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    AppState &m_state;
    QTimer m_timer;
    QLineEdit *m_fileType, *m_destination, *m_block;
    QProgressBar *m_bar100, *m_bar1000;
    QPushButton *m_cancel;
};
