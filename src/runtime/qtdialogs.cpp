#include "qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include <limits>

QtDialogs::~QtDialogs()
{
    delete m_inputBox;
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title, int defaultValue)
{
    // One box, made at the first prompt and shown again for every later one:
    // a fresh QInputDialog loads its buttons' icons every time, and the
    // process kept a few kilobytes of each.
    QWidget *parent = QApplication::activeWindow();
    // Right after the previous prompt closed, the box may still count as the
    // active window.
    if (m_inputBox && parent == m_inputBox)
        parent = m_inputBox->parentWidget();
    if (!m_inputBox) {
        m_inputBox = new QInputDialog(parent);
        m_inputBox->setInputMode(QInputDialog::TextInput);
        // The prompts are long sentences: wrap them instead of widening the box.
        if (auto *label = m_inputBox->findChild<QLabel *>())
            label->setWordWrap(true);
        m_inputBox->setMinimumWidth(360);
    } else if (m_inputBox->parentWidget() != parent) {
        m_inputBox->setParent(parent, m_inputBox->windowFlags());
    }
    QInputDialog &box = *m_inputBox;
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(QString::number(defaultValue));
    auto *field = box.findChild<QLineEdit *>();
    if (field) {
        // A pasted answer comes back whole, however long: QLineEdit would cut
        // it at 32767 characters and so change its number.
        field->setMaxLength(std::numeric_limits<int>::max());
        field->selectAll();
        field->setFocus();
    }
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
