#include "forms/qtdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include <limits>

// A prompt over a text field, with OK and Cancel: Return answers, Escape
// and the frame's close button cancel.
class InputBox final : public QDialog
{
public:
    explicit InputBox(QWidget *parent) : QDialog(parent), m_prompt(new QLabel(this)), m_field(new QLineEdit(this))
    {
        // The prompts are long sentences: wrapped instead of widening the box.
        m_prompt->setWordWrap(true);
        m_prompt->setBuddy(m_field);
        // A pasted answer comes back whole, however long: QLineEdit would cut
        // it at 32767 characters and so change its number.
        m_field->setMaxLength(std::numeric_limits<int>::max());
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_prompt);
        layout->addWidget(m_field);
        layout->addWidget(buttons);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }

    // Sets the box up for one prompt, the prompt at least promptWidth wide,
    // the field filled in with value and selected.
    void prepare(const QString &title, const QString &prompt, const QString &value, int promptWidth)
    {
        setWindowTitle(title);
        m_prompt->setText(prompt);
        m_prompt->setMinimumWidth(promptWidth);
        m_field->setAccessibleName(prompt);
        m_field->setText(value);
        m_field->selectAll();
        m_field->setFocus();
    }
    QString text() const { return m_field->text(); }

private:
    QLabel *m_prompt;
    QLineEdit *m_field;
};

namespace {

// Room beside a title for the title bar's buttons and margins.
constexpr int TitleBarExtra = 140;
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
    // A prompt is never opened inside another: the second would run the
    // same box's event loop twice. It reads as cancelled.
    if (m_inputBox && m_inputBox->isVisible())
        return QString();
    // One box, made at the first prompt and shown again for every later one:
    // a fresh box loads its buttons' icons every time, and the process kept
    // a few kilobytes of each.
    QWidget *parent = QApplication::activeWindow();
    // Right after the previous prompt closed, the box may still count as the
    // active window.
    if (m_inputBox && parent == m_inputBox)
        parent = m_inputBox->parentWidget();
    if (!m_inputBox)
        m_inputBox = new InputBox(parent);
    else if (m_inputBox->parentWidget() != parent)
        m_inputBox->setParent(parent, m_inputBox->windowFlags());
    InputBox &box = *m_inputBox;
    // The box is as wide as its widest row; the wrapped prompt is made wide
    // enough for the whole title to show.
    box.prepare(title, prompt, QString::number(defaultValue), qMax(InputBoxMinimumWidth, widthForTitle(title, box)));
    return box.exec() == QDialog::Accepted ? box.text() : QString();
}

int QtDialogs::messageBox(const QString &prompt, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    box.setEscapeButton(QMessageBox::Ok);
    // A row as wide as the title needs, below everything else in the box's
    // grid, so that the window manager shows the whole title.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        grid->addItem(new QSpacerItem(widthForTitle(title, box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
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
