#include "answer/answerwindow.h"

#include "answer/answerpages.h"
#include "answer/answerpane.h"
#include "answer/classtable.h"
#include "law/savefile.h"
#include "pictures/picturefile.h"
#include "words/phrases.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

// What the window reads and writes beside its settings: the class's counts,
// the page as a picture, the lesson's sheets printed or as PDF, and the
// answer on the clipboard.

void AnswerWindow::openClass()
{
    const QString name = QFileDialog::getOpenFileName(this, tr("Open the class's counts"), QString(),
                                                      tr("Class counts (*.csv *.txt);;All files (*)"));
    if (name.isEmpty())
        return;
    const auto read = stats::readClassFile(name);
    if (const auto *problem = std::get_if<QString>(&read)) {
        QMessageBox::warning(this, windowTitle(), tr("Nothing was opened from %1: %2.").arg(name, *problem));
        return;
    }
    m_pages->classTable().setCounts(std::get<stats::ClassCounts>(read));
    m_classFile = name;
    m_kept.keepClassFile(name);
    m_pages->setCurrentIndex(int(AnswerPages::Page::OurClass));
}

void AnswerWindow::saveClass()
{
    const QString name = QFileDialog::getSaveFileName(this, tr("Save the class's counts"), QStringLiteral("class.csv"),
                                                      tr("Class counts (*.csv)"));
    if (name.isEmpty())
        return;
    QString error;
    // As the class is read: never into a pipe or a device.
    if (QFileInfo::exists(name) && !QFileInfo(name).isFile())
        error = tr("it is not a regular file");
    if (!error.isEmpty() || !stats::saveFile(name, m_pages->classTable().csv(), error)) {
        QMessageBox::warning(this, windowTitle(), tr("Cannot save %1: %2").arg(name, error));
        return;
    }
    m_classFile = name;
    m_kept.keepClassFile(name);
}

void AnswerWindow::newClass()
{
    if (QMessageBox::question(this, windowTitle(), tr("Clear every group's counts from the table?")) ==
        QMessageBox::Yes) {
        m_pages->classTable().clear();
        m_classFile.clear();
        m_kept.keepClassFile(QString());
    }
}

void AnswerWindow::exportPage()
{
    // The page of the question on the board, not of an earlier one.
    whenAnswered([this] {
        const QString name =
            QFileDialog::getSaveFileName(this, tr("Save this page as a picture"), QStringLiteral("answer.png"),
                                         tr("PNG picture (*.png);;SVG drawing (*.svg)"));
        if (name.isEmpty())
            return;
        QString error = refusedTarget(name);
        if (!error.isEmpty() || !m_pages->saveCurrent(name, error))
            QMessageBox::warning(this, windowTitle(), tr("Cannot save %1: %2").arg(name, error));
    });
}

std::optional<stats::SheetSetup> AnswerWindow::sheetSetup(stats::Sheet sheet)
{
    stats::SheetSetup setup;
    setup.date = QDate::currentDate();
    setup.rows = m_kept.sheetRows(setup.rows, stats::MostSheetRows);
    if (sheet == stats::Sheet::Pupils) {
        bool ok = false;
        setup.rows = QInputDialog::getInt(this, windowTitle(), tr("Runs of each way a group tallies on its sheet:"),
                                          setup.rows, 1, stats::MostSheetRows, 1, &ok);
        if (!ok)
            return std::nullopt;
        m_kept.keepSheetRows(setup.rows);
    }
    return setup;
}

void AnswerWindow::withSheet(stats::Sheet sheet,
                             const std::function<void(const stats::Answer &, const stats::SheetSetup &)> &use)
{
    // The sheet of the question on the board, with the class's counts. The
    // pupils' sheet holds nothing of the answer: it is made while it is hidden.
    whenAnswered(
        [this, sheet, use] {
            if (const std::optional<stats::SheetSetup> setup = sheetSetup(sheet))
                use(*m_pages->classAnswer(), *setup);
        },
        sheet == stats::Sheet::Pupils ? ShowsNothingOfIt : ShowsAnswer);
}

void AnswerWindow::printSheet(stats::Sheet sheet)
{
    withSheet(sheet, [this, sheet](const stats::Answer &answer, const stats::SheetSetup &setup) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        printer.setDocName(sheet == stats::Sheet::Pupils ? tr("Meetling: the pupils' sheet")
                                                         : tr("Meetling: the teacher's sheet"));
        QPrintPreviewDialog preview(&printer, this);
        preview.setWindowTitle(printer.docName());
        connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter *device) {
            // Drawn in points on the whole sheet of paper, whatever the printer's resolution.
            QPainter painter(device);
            const QSizeF points = device->pageLayout().fullRectPoints().size();
            painter.setViewport(device->paperRect(QPrinter::DevicePixel).toRect());
            painter.setWindow(QRectF(QPointF(), points).toRect());
            stats::paintSheet(painter, QRectF(QPointF(), points), sheet, answer, setup);
        });
        preview.exec();
    });
}

void AnswerWindow::saveSheet(stats::Sheet sheet)
{
    withSheet(sheet, [this, sheet](const stats::Answer &answer, const stats::SheetSetup &setup) {
        const QString name = QFileDialog::getSaveFileName(
            this, tr("Save the sheet as PDF"),
            sheet == stats::Sheet::Pupils ? QStringLiteral("pupils-sheet.pdf") : QStringLiteral("teacher-sheet.pdf"),
            tr("PDF document (*.pdf)"));
        if (name.isEmpty())
            return;
        // Letter paper where it is the usual size, A4 elsewhere: where the
        // teacher is, whatever the language the window speaks.
        const QLocale::Territory where = QLocale::system().territory();
        const stats::Paper paper =
            where == QLocale::UnitedStates || where == QLocale::Canada ? stats::Paper::Letter : stats::Paper::A4;
        QString error = refusedTarget(name);
        if (!error.isEmpty() || !stats::saveSheet(name, sheet, answer, setup, paper, error))
            QMessageBox::warning(this, windowTitle(), tr("Cannot save %1: %2").arg(name, error));
        else
            statusBar()->showMessage(tr("Saved %1.").arg(name), 4000);
    });
}

QString AnswerWindow::refusedTarget(const QString &name) const
{
    // A picture or a sheet over the class's own counts would lose them; a
    // pipe with no reader would hold the window for good.
    if (!m_classFile.isEmpty() && QFileInfo(name) == QFileInfo(m_classFile))
        return tr("it holds the class's counts; choose another name");
    if (QFileInfo::exists(name) && !QFileInfo(name).isFile())
        return tr("it is not a regular file");
    return {};
}

void AnswerWindow::copyVerdict()
{
    whenAnswered([this] {
        // What the answer is about, the verdict, then the figures as the pane shows them.
        QString text = stats::contextLine(m_answer->starts, m_answer->seconds, QDate::currentDate()) +
                       QStringLiteral("\n\n") + m_pane->verdictText() + QStringLiteral("\n\n");
        for (AnswerPane::Figure figure : AnswerPane::Figures) {
            for (Scenario scenario : stats::Scenarios)
                text += m_pane->figureLabel(figure, scenario)->accessibleName() + u'\n';
        }
        QApplication::clipboard()->setText(stats::withoutJoiners(text));
        statusBar()->showMessage(tr("The answer is copied."), 4000);
    });
}
