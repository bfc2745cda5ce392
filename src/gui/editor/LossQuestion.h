#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

// The question before a save that cannot keep every value: it names the
// format, how many rows are affected and the first of them, and writes
// nothing unless the user chooses to save anyway. Cancel is the default.
class LossQuestion
{
    Q_DECLARE_TR_FUNCTIONS(LossQuestion)

public:
    // rows: one line per listed row, already in the user's words.
    static bool ask(QWidget *parent, const QString &formatName, qsizetype count,
                    const QString &rows);
};
