#include "qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

QString QtDialogs::inputBox(const QString &prompt, const QString &title, int defaultValue)
{
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(QString::number(defaultValue));
    box.setInputMode(QInputDialog::TextInput);
    // The prompts are long sentences: wrap them instead of widening the box.
    if (auto *label = box.findChild<QLabel *>())
        label->setWordWrap(true);
    box.setMinimumWidth(360);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

int QtDialogs::messageBox(const QString &prompt, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return 1;
}

void QtEnder::end(int exitStatus)
{
    if (m_ended)
        return;
    m_ended = true;
    m_exitStatus = exitStatus;
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(exitStatus);
}
