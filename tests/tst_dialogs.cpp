#include "forms/qtdialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs then on the open prompt (the active modal window) from its event loop.
void whenPromptOpen(std::function<void(QWidget &)> then)
{
    QTimer::singleShot(0, [then = std::move(then)] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
        then(*box);
    });
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void aPromptAnswersWithItsField_data();
    void aPromptAnswersWithItsField();
    void aPromptInsideAnOpenOneReadsAsCancelled();
};

void TestDialogs::aPromptAnswersWithItsField_data()
{
    QTest::addColumn<QString>("typed"); // empty: the default is kept
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("answer");
    QTest::newRow("Return keeps the default") << QString() << int(Qt::Key_Return) << "4";
    QTest::newRow("typed over the selected default") << "10" << int(Qt::Key_Return) << "10";
    QTest::newRow("a long paste comes back whole")
        << QString(40000, u'7') << int(Qt::Key_Return) << QString(40000, u'7');
    QTest::newRow("Escape cancels") << "10" << int(Qt::Key_Escape) << QString();
}

void TestDialogs::aPromptAnswersWithItsField()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, answer);
    QWidget window;
    window.show();
    QtDialogs dialogs;
    whenPromptOpen([&](QWidget &box) {
        auto *field = box.findChild<QLineEdit *>();
        if (!typed.isEmpty())
            field->insert(typed);
        QTest::keyClick(field, Qt::Key(key));
    });
    QCOMPARE(dialogs.inputBox(QStringLiteral("Enter a number."), QStringLiteral("Title"), 4), answer);
}

void TestDialogs::aPromptInsideAnOpenOneReadsAsCancelled()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QDialog")));
    QWidget window;
    window.show();
    QtDialogs dialogs;
    QString inner = QStringLiteral("not asked");
    whenPromptOpen([&](QWidget &box) {
        inner = dialogs.inputBox(QStringLiteral("Again?"), QStringLiteral("Title"), 5);
        QTest::keyClick(&box, Qt::Key_Return);
    });
    QCOMPARE(dialogs.inputBox(QStringLiteral("Enter a number."), QStringLiteral("Title"), 4), QStringLiteral("4"));
    QCOMPARE(inner, QString());
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
