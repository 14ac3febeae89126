#include "qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>

#include <limits>

namespace {

// Room beside a title for the title bar's buttons and margins.
constexpr int TitleBarExtra = 130;
constexpr int InputBoxMinimumWidth = 360;

// The width a box needs for the window manager to show its whole title
// (title bars are commonly bold), less what its frame adds beside the text.
int widthForTitle(const QString &title, const QWidget &box)
{
    QFont font = QApplication::font();
    font.setBold(true);
    const int wanted = QFontMetrics(font).horizontalAdvance(title) + TitleBarExtra;
    const QMargins margins = box.layout() ? box.layout()->contentsMargins() : QMargins();
    return wanted - margins.left() - margins.right();
}

} // namespace

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
    } else if (m_inputBox->parentWidget() != parent) {
        m_inputBox->setParent(parent, m_inputBox->windowFlags());
    }
    QInputDialog &box = *m_inputBox;
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    // The box is as wide as its widest row; the wrapped prompt is made wide
    // enough for the whole title to show.
    if (auto *label = box.findChild<QLabel *>())
        label->setMinimumWidth(qMax(InputBoxMinimumWidth, widthForTitle(title, box)));
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
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        label->setMinimumWidth(widthForTitle(title, box));
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
