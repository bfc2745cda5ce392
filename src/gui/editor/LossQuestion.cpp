#include "LossQuestion.h"

#include <QMessageBox>
#include <QPushButton>

bool LossQuestion::ask(QWidget *parent, const QString &formatName, qsizetype count,
                       const QString &rows)
{
    QMessageBox box(QMessageBox::Warning, tr("File Editor"),
                    tr("%1 cannot hold every row exactly (%2 affected): a value outside its "
                       "range would be written as 0, and a name longer than its block would be "
                       "cut, so two points could become one.\n\nNothing has been written yet.")
                        .arg(formatName)
                        .arg(count),
                    QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("lossQuestion"));
    box.setInformativeText(rows);
    QPushButton *anyway = box.addButton(tr("Save anyway"), QMessageBox::AcceptRole);
    anyway->setObjectName(QStringLiteral("saveAnywayButton"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == anyway;
}
