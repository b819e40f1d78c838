// The photo browsers: which files become photos, the cell and paging arithmetic, marks that
// finish into a choice of at most 40 photos, the marking window under touches, and the
// instruction file.
#include "core/FileNames.h"
#include "core/Settings.h"
#include "screens/ImageBrowserModel.h"
#include "screens/ImageBrowserView.h"
#include "screens/InstructionFile.h"
#include "screens/InstructionSheet.h"
#include "screens/MarkingWindow.h"
#include "screens/StationStyle.h"
#include "screens/ValueLabel.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"
#include "support/Translated.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>

#include <sys/stat.h>

using namespace kivo;

namespace {

// COUNT small JPEGs named 100001_01.jpg... in FOLDER.
QStringList writePhotos(const QString& folder, int count)
{
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 1; i <= count; ++i) {
        const QString path =
            QStringLiteral("%1/100001_%2.jpg").arg(folder).arg(i, 2, 10, QLatin1Char('0'));
        test::writeJpeg(path, test::markedImage(48, 32), 1);
        paths.append(path);
    }
    return paths;
}

bool load(ImageBrowserModel& model, const QStringList& paths)
{
    QSignalSpy done(&model, &ImageBrowserModel::doneAddingImages);
    model.addImages(paths);
    return done.wait(5000);
}

QRect cell(const ImageBrowserView& view, int row)
{
    return view.list()->visualRect(view.list()->model()->index(row, 0));
}

} // namespace

TEST(ImageBrowserModel, OnlyRegularImageFilesOfTheFolderItselfBecomePhotos)
{
    test::TestRoot root;
    const QString folder = root.folder(QStringLiteral("photos"));
    const QStringList jpegs = writePhotos(folder, 12);
    test::writeFile(folder + QStringLiteral("/readme.txt"), "not a photo");
    // A folder that looks like a file, and a subfolder: neither is entered.
    writePhotos(folder + QStringLiteral("/Viewer.app"), 1);
    writePhotos(folder + QStringLiteral("/later"), 2);
    // A named pipe with a photo's name would block a reader for ever.
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + QStringLiteral("/pipe.jpg")).constData(), 0600), 0);

    // A photo named in Latin-1 by a camera station, handed over by the search with its odd byte
    // kept.
    const QByteArray latin1 =
        QFile::encodeName(root.folder(QStringLiteral("odd"))) + "/\xe9t\xe9.jpg";
    ASSERT_TRUE(QFile::copy(jpegs.at(1), jpegs.at(1) + "x"));
    ASSERT_EQ(::rename(QFile::encodeName(jpegs.at(1) + "x").constData(), latin1.constData()), 0);
    const QString oddName = kivo::decodeFileName(latin1.toStdString());

    ImageBrowserModel model;
    ASSERT_TRUE(load(model, {folder, root.file(QStringLiteral("gone.jpg")), jpegs.at(0), oddName}));
    ASSERT_EQ(model.rowCount(), 14);
    EXPECT_EQ(model.pathAt(13), oddName);
    for (int row = 0; row < 12; ++row) {
        EXPECT_EQ(model.pathAt(row), jpegs.at(row));
        EXPECT_EQ(model.index(row).data(ImageBrowserModel::IndexRole).toInt(), row + 1);
    }
    // A file named on its own follows the folder's photos.
    EXPECT_EQ(model.index(12).data(ImageBrowserModel::IndexRole).toInt(), 13);
    EXPECT_EQ(model.index(0).data(Qt::DisplayRole).toString(), "100001_01");
    EXPECT_EQ(model.index(0).data(Qt::AccessibleTextRole).toString(), "100001_01.jpg");

    // Photos removed while a load runs stay removed.
    QSignalSpy done(&model, &ImageBrowserModel::doneAddingImages);
    model.addImages({folder});
    model.removeImages();
    EXPECT_FALSE(done.wait(500));
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(ImageBrowserModel, CellsFillTheViewAndPagesStayWithinThePhotos)
{
    struct CellCase
    {
        QSizeF view;
        int rows, columns;
        QSizeF cell;
    } cells[] = {
        {{1200, 260}, 1, 6, {199, 199}},
        {{800, 600}, 2, 4, {199, 269}},
        {{100, 50}, 1, 6, {15.666667, 0}}, // too low for its titles: no height left
    };
    for (const CellCase& c : cells) {
        const QSizeF size = ImageBrowserModel::cellSize(c.view, c.rows, c.columns);
        EXPECT_NEAR(size.width(), c.cell.width(), 1e-4) << c.view.width();
        EXPECT_NEAR(size.height(), c.cell.height(), 1e-4) << c.view.width();
    }

    test::TestRoot root;
    ImageBrowserModel model;
    ASSERT_TRUE(load(model, writePhotos(root.folder(QStringLiteral("photos")), 14)));
    struct PageCase
    {
        int rows, columns, first;
        int down, up;
    } pages[] = {
        {1, 6, 0, 6, 0}, {1, 6, 6, 8, 0}, {1, 6, 8, 8, 2}, // one row scrolls photo by photo
        {2, 4, 0, 8, 0}, {2, 4, 8, 8, 0},                  // two rows scroll a row at a time
        {3, 6, 0, 0, 0},                                   // everything on one page
    };
    for (const PageCase& p : pages) {
        SCOPED_TRACE(testing::Message() << p.rows << "x" << p.columns << " from " << p.first);
        model.setRowsAndColumns(p.rows, p.columns);
        EXPECT_EQ(model.pageDownTarget(p.first), p.down);
        EXPECT_EQ(model.pageUpTarget(p.first), p.up);
    }
}

TEST(ImageBrowserModel, MarksFinishIntoAChoiceOfAtMostFortyPhotos)
{
    test::TestRoot root;
    Settings settings(root.file(QStringLiteral("config/test.plist")));
    ImageBrowserModel model;
    model.setSettings(&settings);
    const QStringList photos = writePhotos(root.folder(QStringLiteral("photos")), 41);
    ASSERT_TRUE(load(model, photos));
    EXPECT_EQ(settings.currentPathForImageView(), "< No Photo Selected >");

    // Nothing marked counts every photo, one too many: the marking window's test shows the alert.
    QSignalSpy current(&model, &ImageBrowserModel::currentPhotoChanged);
    model.updateMarks({30, 2}, {});
    model.updateMarks({7}, {30});
    const PhotoChoice choice = model.finishChoice();
    ASSERT_TRUE(choice.accepted);
    EXPECT_EQ(choice.count, 2);
    EXPECT_EQ(choice.markedPaths, (QStringList{photos.at(2), photos.at(7)}));
    EXPECT_EQ(choice.lastPath, photos.at(7));
    EXPECT_EQ(settings.currentFullPathForImageView(), photos.at(7));
    EXPECT_EQ(settings.currentPathForImageView(), "100001_08.jpg");
    ASSERT_FALSE(current.isEmpty());
    EXPECT_EQ(current.constLast().at(0).toInt(), 7);

    // Forty marked are still one sale.
    QList<int> forty;
    for (int row = 0; row < 40; ++row)
        forty.append(row);
    model.unmarkAll();
    model.updateMarks(forty, {});
    EXPECT_TRUE(model.finishChoice().accepted);
    EXPECT_EQ(model.finishChoice().markedPaths.size(), 40);
}

TEST(MarkingWindow, TouchesToggleMarksAndContinueHandsOverTheMarkedPaths)
{
    test::TestRoot root;
    const QStringList photos = writePhotos(root.folder(QStringLiteral("photos")), 5);
    QWidget owner;
    owner.resize(1024, 768);
    owner.show();
    MarkingWindow window(&owner);
    QSignalSpy loaded(&window.model(), &ImageBrowserModel::doneAddingImages);
    window.showPhotos(photos, true);
    ASSERT_TRUE(loaded.wait(5000));
    // 1024 x 768 is less than half again as wide as high.
    EXPECT_EQ(window.model().columns(), 3);
    EXPECT_EQ(window.totalCount()->text(), "5");

    ImageBrowserView* browser = window.browser();
    QWidget* viewport = browser->list()->viewport();
    for (int row : {0, 3, 0})
        QTest::mouseClick(viewport, Qt::LeftButton, {}, cell(*browser, row).center());
    EXPECT_EQ(window.model().marks(), QList<int>{3});
    EXPECT_EQ(window.selectionCount()->text(), "1");
    // The arrow keys never move the choice.
    browser->list()->setFocus();
    QTest::keyClick(browser->list(), Qt::Key_Right);
    QTest::keyClick(browser->list(), Qt::Key_Down);
    EXPECT_EQ(window.model().marks(), QList<int>{3});
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cell(*browser, 1).center());

    QSignalSpy chosen(&window, &MarkingWindow::photosChosen);
    QTest::mouseClick(window.continueButton(), Qt::LeftButton);
    ASSERT_EQ(chosen.count(), 1);
    const auto choice = chosen.at(0).at(0).value<PhotoChoice>();
    EXPECT_EQ(choice.markedPaths, (QStringList{photos.at(1), photos.at(3)}));
    EXPECT_EQ(choice.lastPath, photos.at(1));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.model().rowCount(), 0);

    // Without the mark method a touch chooses one photo; "Unmark All" clears it.
    window.showPhotos(photos, false);
    ASSERT_TRUE(loaded.wait(5000));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cell(*browser, 0).center());
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cell(*browser, 2).center());
    EXPECT_EQ(window.model().marks(), QList<int>{2});
    QTest::mouseClick(window.unmarkAllButton(), Qt::LeftButton);
    EXPECT_TRUE(window.model().marks().isEmpty());
    EXPECT_TRUE(browser->list()->selectionModel()->selectedIndexes().isEmpty());
}

TEST(MarkingWindow, MoreThanFortyPhotosAreRefusedWithTheAlert)
{
    test::TestRoot root;
    const QStringList photos = writePhotos(root.folder(QStringLiteral("photos")), 41);
    QWidget owner;
    owner.resize(1280, 800);
    owner.show();
    MarkingWindow window(&owner);
    QSignalSpy loaded(&window.model(), &ImageBrowserModel::doneAddingImages);
    window.showPhotos(photos, true);
    ASSERT_TRUE(loaded.wait(5000));
    EXPECT_EQ(window.model().columns(), 4);
    const auto button = [&window](const char* text) {
        for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
            if (b->text() == QLatin1String(text))
                return b;
        }
        return static_cast<QAbstractButton*>(nullptr);
    };
    ASSERT_NE(button("Page Down"), nullptr);
    QTest::mouseClick(button("Page Down"), Qt::LeftButton);
    EXPECT_EQ(window.browser()->firstVisible(), 8);
    QTest::mouseClick(button("Page Down"), Qt::LeftButton);
    QTest::mouseClick(button("Page Up"), Qt::LeftButton);
    EXPECT_EQ(window.browser()->firstVisible(), 8);

    QString message, informative;
    QTimer::singleShot(0, &window, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        message = box->text();
        informative = box->informativeText();
        box->accept();
    });
    QSignalSpy chosen(&window, &MarkingWindow::photosChosen);
    window.onButtonAction(QStringLiteral("Continue"));
    EXPECT_EQ(message, "TOO MANY IMAGES SELECTED!!!!...");
    EXPECT_EQ(informative, "Selected [41] images EXCEEDS kMaxImagesItems of [40].");
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_TRUE(window.isVisible());
    // Nor does a key leave the choice unfinished.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
}

// Whatever the screen, the two rows of photos stand together from the top, their cells no
// taller than wide; the instructions come up over the photos, as large as their text, centred
// between the heading with its counts and the buttons, covering neither.
TEST(MarkingWindow, AtEveryScreenSizeRowsStayTogetherAndInstructionsLeaveTheControlsInSight)
{
    test::TestRoot root;
    const QStringList photos = writePhotos(root.folder(QStringLiteral("photos")), 8);
    const QString folder = root.folder(QStringLiteral("instructions"));
    test::writeFile(folder + QStringLiteral("/Instructions.txt"),
                    "Choose your photos\n\n1. Touch a photo to mark it.\n2. Touch Continue.");
    const struct
    {
        QSize size;
        const char* language; // null: English, the sources' own
    } cases[] = {{{1024, 768}, nullptr},  {{1280, 800}, nullptr}, {{1920, 1080}, nullptr},
                 {{1080, 1920}, nullptr}, {{1024, 768}, "fr"},    {{1024, 768}, "es"}};
    for (const auto& [size, language] : cases) {
        SCOPED_TRACE(QStringLiteral("%1x%2 %3")
                         .arg(size.width())
                         .arg(size.height())
                         .arg(QLatin1String(language ? language : "en"))
                         .toStdString());
        std::optional<test::Translated> translated;
        if (language) {
            translated.emplace(QString::fromLatin1(language));
            ASSERT_TRUE(translated->loaded());
        }
        QWidget owner;
        owner.resize(size);
        owner.show();
        MarkingWindow window(&owner);
        window.setStyleSheet(stationStyleSheet());
        window.setInstructionFolders({folder});
        QSignalSpy loaded(&window.model(), &ImageBrowserModel::doneAddingImages);
        window.showPhotos(photos, true);
        ASSERT_TRUE(loaded.wait(5000));
        const int columns = window.model().columns();
        // From one row to the next: a cell's width and its share of the titles' room at most.
        const int pitch = cell(*window.browser(), columns).top() - cell(*window.browser(), 0).top();
        EXPECT_GT(pitch, 0);
        EXPECT_LE(pitch, window.browser()->list()->gridSize().width() +
                             int(ImageBrowserModel::kTitleRoom) / MarkingWindow::kRows + 1);
        EXPECT_LT(window.browser()->mapTo(&window, QPoint(0, window.browser()->height())).y(),
                  window.continueButton()->mapTo(&window, QPoint()).y());
        // Every button is wide enough for its text, in every language shipped.
        for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
            if (b->isVisible()) {
                EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
            }
        }

        ASSERT_TRUE(window.showInstructions());
        const QRect sheet = window.instructions()->frameGeometry();
        QWidget* heading = window.findChild<QLabel*>(QStringLiteral("SheetHeading"));
        ASSERT_NE(heading, nullptr);
        QList<QWidget*> inSight{heading, window.selectionCount(), window.totalCount()};
        for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
            if (b->window() == &window)
                inSight.append(b);
        }
        for (QWidget* w : inSight) {
            const QRect shown(w->mapToGlobal(QPoint(0, 0)), w->size());
            EXPECT_FALSE(sheet.intersects(shown))
                << w->objectName().toStdString() << qPrintable(w->accessibleName());
        }
        const QRect shownWindow(window.mapToGlobal(QPoint(0, 0)), window.size());
        EXPECT_LE(std::abs(sheet.center().x() - shownWindow.center().x()), 1);
        // The text stands whole, with no empty room below it.
        QTextBrowser* text = window.instructions()->textView();
        EXPECT_EQ(text->verticalScrollBar()->maximum(), 0);
        EXPECT_LE(text->viewport()->height() - text->document()->size().height(),
                  text->fontMetrics().lineSpacing());
    }
}

TEST(InstructionFile, PicturesAnywhereComeBeforeTextsAndRichTextIsReadAsText)
{
    test::TestRoot root;
    const QString resources = root.folder(QStringLiteral("resources"));
    const QString program = root.folder(QStringLiteral("program"));
    const QStringList folders{resources, program};
    EXPECT_EQ(instructions::findInstructionFile(folders), QString());

    test::writeFile(resources + QStringLiteral("/Instructions.txt"), "Touch your photos.");
    EXPECT_EQ(instructions::findInstructionFile(folders), resources + "/Instructions.txt");
    test::writeJpeg(program + QStringLiteral("/Instructions.jpg"), test::markedImage(40, 30), 1);
    EXPECT_EQ(instructions::findInstructionFile(folders), program + "/Instructions.jpg");
    // A PDF this station cannot draw is passed over, not shown as nothing.
    test::writeFile(resources + QStringLiteral("/Instructions.pdf"), "%PDF-1.4");
    EXPECT_EQ(instructions::findInstructionFile(folders), program + "/Instructions.jpg");

    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helvetica;}{\\colortbl;\\red255;}"
                           "{\\*\\expandedcolortbl;;}\\f0\\fs48 Touch each photo\\par "
                           "Caf\\'e9 \\u8364? 5\\{x\\}}";
    EXPECT_EQ(instructions::plainTextOfRtf(rtf),
              QString::fromUtf8("Touch each photo\nCafé € 5{x}"));

    QWidget owner;
    owner.resize(1024, 768);
    owner.show();
    InstructionSheet sheet(&owner);
    ASSERT_TRUE(sheet.showFile(resources + QStringLiteral("/Instructions.txt")));
    EXPECT_TRUE(sheet.textView()->isVisible());
    EXPECT_FALSE(sheet.pictureView()->isVisible());
    EXPECT_EQ(sheet.textView()->toPlainText(), "Touch your photos.");
    EXPECT_FALSE(sheet.showFile(resources + QStringLiteral("/Instructions.pdf")));
}
