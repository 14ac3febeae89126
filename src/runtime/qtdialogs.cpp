#include "qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include <limits>

QString QtDialogs::inputBox(const QString &prompt, const QString &title, int defaultValue)
{
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(QString::number(defaultValue));
    box.setInputMode(QInputDialog::TextInput);
    // A pasted answer comes back whole, however long: QLineEdit would cut
    // it at 32767 characters and so change its number.
    if (auto *field = box.findChild<QLineEdit *>())
        field->setMaxLength(std::numeric_limits<int>::max());
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
