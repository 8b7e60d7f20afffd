// The previews' animation in the windows, driven as a user drives them.

#include "testsupport.h"

#include "preview/picturebox.h"
#include "preview/previewanimation.h"
#include "windows/cataloguewindow.h"
#include "windows/mainwindow.h"
#include "windows/windowregistry.h"

#include <QElapsedTimer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class AnimationTest : public QObject
{
    Q_OBJECT
private slots:
    void timersStartWithTheWindow_data();
    void timersStartWithTheWindow();
    void theTimerTicksWhileHidden();
    void framesReachThePreviews_data();
    void framesReachThePreviews();
    void framesPastTheEndKeepThePicture();
    void hidingAndShowingGoesOn();
    void userActionsLeaveTheCounterAlone();
    void windowsCountIndependently();
};

namespace {

CatalogueWindow *existingCatalogue(WindowId id)
{
    return WindowRegistry::existingAs<CatalogueWindow>(id);
}

// Picks the radio of the other Czech page, as the user does.
CatalogueWindow *switchToPage(CatalogueWindow *from, int page)
{
    const WindowId to = page == 2 ? WindowId::cz2 : WindowId::Form5;
    clickRadio(from, page == 2 ? QStringLiteral("Option2") : QStringLiteral("Option1"));
    return existingCatalogue(to);
}

// Opens a catalogue window from the visible main window, as the user does.
CatalogueWindow *openFromMain(const QString &name)
{
    FormWindow *main = WindowRegistry::mainWindow();
    const QHash<QString, QString> language{{"Form5", "Option1"}, {"Form2", "Option2"},
                                           {"Form8", "Option3"}, {"german", "Option4"}};
    const QHash<QString, QString> opener{{"Form3", "Command2"}, {"Form4", "Command3"},
                                         {"Form7", "Command6"}};
    if (name == QLatin1String("cz2"))
        return switchToPage(openFromMain(QStringLiteral("Form5")), 2);
    if (language.contains(name)) {
        clickRadio(main, language.value(name));
        click(main, QStringLiteral("Command1"));
    } else {
        click(main, opener.value(name));
    }
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return qobject_cast<CatalogueWindow *>(w);
    return nullptr;
}

// A strip as stored in the resources, in the previews' format.
QImage storedStrip(const CatalogueWindow *window, int pair)
{
    const Catalogue::AnimationPair &p = window->row().pairs.at(size_t(pair));
    return QImage(Catalogue::resource(Catalogue::stripPath(window->row().name, p.strip)))
        .convertToFormat(QImage::Format_RGB32);
}

// Frame k of a stored strip: the W columns from x = k * W, all 80 rows.
QImage frameOf(const CatalogueWindow *window, int pair, int frame)
{
    const int w = window->row().pairs.at(size_t(pair)).frameWidth;
    return storedStrip(window, pair).copy(frame * w, 0, w, Catalogue::frameHeight);
}

void tickTimes(CatalogueWindow *window, int ticks)
{
    for (int t = 0; t < ticks; ++t)
        window->animation()->tick();
}

// Every preview shows frame `frame` of its strip.
void verifyFrame(CatalogueWindow *window, int frame)
{
    PreviewAnimation *animation = window->animation();
    for (int i = 0; i < animation->pairCount(); ++i)
        QVERIFY2(animation->preview(i)->surface() == frameOf(window, i, frame),
                 qPrintable(QStringLiteral("%1 %2 does not show frame %3")
                                .arg(window->objectName(), animation->preview(i)->objectName())
                                .arg(frame)));
}

void verifyStills(CatalogueWindow *window)
{
    PreviewAnimation *animation = window->animation();
    for (int i = 0; i < animation->pairCount(); ++i)
        QVERIFY2(animation->preview(i)->surface() == animation->preview(i)->still(),
                 qPrintable(animation->preview(i)->objectName() + " does not show its still"));
}

QList<QImage> surfaces(CatalogueWindow *window)
{
    QList<QImage> all;
    for (int i = 0; i < window->animation()->pairCount(); ++i)
        all << window->animation()->preview(i)->surface().copy();
    return all;
}

} // namespace

void AnimationTest::timersStartWithTheWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("timer");   // empty: the window has no animation
    QTest::addColumn<bool>("startsEmpty");
    QTest::addColumn<QStringList>("previewsInTickOrder");

    QTest::newRow("Form2") << "Form2" << "Timer2" << false
                           << QStringList{"p1", "p2", "p3", "p4", "p5", "p6"};
    QTest::newRow("Form3") << "Form3" << "Timer1" << false << QStringList{"p1", "p2", "p3"};
    QTest::newRow("Form4") << "Form4" << "Timer2" << false
                           << QStringList{"p1", "p2", "p3", "P4", "p5"};
    QTest::newRow("Form5") << "Form5" << "Timer2" << false
                           << QStringList{"p1", "p2", "p3", "p4", "p5", "p6"};
    QTest::newRow("Form7") << "Form7" << "" << false << QStringList{};
    QTest::newRow("Form8") << "Form8" << "Timer1" << true << QStringList{"p1", "p2", "p3"};
    QTest::newRow("cz2") << "cz2" << "Timer1" << false << QStringList{"p2", "p1", "p3"};
    QTest::newRow("german") << "german" << "Timer1" << true
                            << QStringList{"p1", "p2", "p3", "p4"};
}

void AnimationTest::timersStartWithTheWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, timer);
    QFETCH(bool, startsEmpty);
    QFETCH(QStringList, previewsInTickOrder);

    FreshRun run;
    openMain();
    CatalogueWindow *w = openFromMain(window);
    QVERIFY(w);
    QVERIFY(w->isVisible());

    const QList<QTimer *> timers = w->findChildren<QTimer *>();
    if (timer.isEmpty()) {
        QVERIFY(timers.isEmpty());
        QVERIFY(!w->animation());
        return;
    }
    QCOMPARE(timers.size(), 1);
    QTimer *t = timers.first();
    QCOMPARE(t->objectName(), timer);
    QCOMPARE(t->interval(), 500);
    QVERIFY(t->isActive());
    QVERIFY(!t->isSingleShot());

    PreviewAnimation *animation = w->animation();
    QVERIFY(animation);
    QCOMPARE(animation->timer(), t);
    QCOMPARE(animation->frameIndexIsEmpty(), startsEmpty);
    QCOMPARE(animation->frameIndex(), qint16(0));
    QStringList order;
    for (int i = 0; i < animation->pairCount(); ++i)
        order << animation->preview(i)->objectName();
    QCOMPARE(order, previewsInTickOrder);
    for (int i = 0; i < animation->pairCount(); ++i)
        QCOMPARE(animation->preview(i), w->picture(order.at(i)));

    click(w, QStringLiteral("Command1"));   // "Back"
    QVERIFY(!w->isVisible());
    QVERIFY(t->isActive());
    QCOMPARE(t->interval(), 500);
}

void AnimationTest::theTimerTicksWhileHidden()
{
    FreshRun run;
    openMain();
    QElapsedTimer sinceCreation;
    sinceCreation.start();
    CatalogueWindow *form8 = openFromMain(QStringLiteral("Form8"));
    QVERIFY(form8);
    PreviewAnimation *animation = form8->animation();
    QVERIFY(animation->frameIndexIsEmpty());

    QSignalSpy ticks(animation->timer(), &QTimer::timeout);
    QVERIFY(ticks.wait(3000));
    QVERIFY2(sinceCreation.elapsed() >= 400, "the first tick comes one interval after creation");
    QVERIFY(!animation->frameIndexIsEmpty());
    QCOMPARE(animation->frameIndex(), qint16(1));

    click(form8, QStringLiteral("Command1"));   // "Back"
    QVERIFY(!form8->isVisible());
    QVERIFY(ticks.wait(3000));
    QCOMPARE(animation->frameIndex(), qint16(2));
}

void AnimationTest::framesReachThePreviews_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("ticks");

    QTest::newRow("Form2") << "Form2" << 7;
    QTest::newRow("Form3") << "Form3" << 9;
    QTest::newRow("Form4") << "Form4" << 8;
    QTest::newRow("Form5") << "Form5" << 11;
    QTest::newRow("Form8") << "Form8" << 9;
    QTest::newRow("cz2") << "cz2" << 4;
    QTest::newRow("german") << "german" << 9;
}

void AnimationTest::framesReachThePreviews()
{
    QFETCH(QString, window);
    QFETCH(int, ticks);

    FreshRun run;
    openMain();
    CatalogueWindow *w = openFromMain(window);
    QVERIFY(w);

    verifyStills(w);
    QList<const uchar *> buffers;
    for (int i = 0; i < w->animation()->pairCount(); ++i)
        buffers << w->animation()->preview(i)->surface().constBits();

    tickTimes(w, 1);
    verifyFrame(w, 1);   // the first tick draws frame 1, not frame 0
    tickTimes(w, ticks - 1);
    verifyFrame(w, ticks);

    // Drawn in place: no tick needs a new image.
    for (int i = 0; i < w->animation()->pairCount(); ++i)
        QCOMPARE(w->animation()->preview(i)->surface().constBits(), buffers.at(i));
}

void AnimationTest::framesPastTheEndKeepThePicture()
{
    FreshRun run;
    openMain();
    CatalogueWindow *form2 = openFromMain(QStringLiteral("Form2"));
    PictureBox *p1 = form2->picture(QStringLiteral("p1"));
    PictureBox *p3 = form2->picture(QStringLiteral("p3"));

    tickTimes(form2, 9);
    QVERIFY(p3->surface() == frameOf(form2, 2, 9));
    tickTimes(form2, 1);   // frame 10 lies past the end of p3's ten-frame strip
    QVERIFY(p3->surface() == frameOf(form2, 2, 9));
    tickTimes(form2, 1);
    QVERIFY(p1->surface() == frameOf(form2, 0, 11));
    tickTimes(form2, 1);   // p1 draws frame 12, past its twelve frames; p3 resets
    QVERIFY(p1->surface() == frameOf(form2, 0, 11));
    QVERIFY(p3->surface() == frameOf(form2, 2, 0));

    click(form2, QStringLiteral("Command1"));
    CatalogueWindow *form4 = openFromMain(QStringLiteral("Form4"));
    PictureBox *dresk = form4->picture(QStringLiteral("p1"));
    tickTimes(form4, 8);
    const QImage frame8 = dresk->surface().copy();
    tickTimes(form4, 1);   // frame 9 of a 1009-column strip: its last column is missing
    const QImage stored = storedStrip(form4, 0);
    QCOMPARE(stored.width(), 1009);
    for (int y = 0; y < Catalogue::frameHeight; ++y) {
        for (int x = 0; x < 100; ++x)
            QCOMPARE(dresk->surface().pixel(x, y), stored.pixel(909 + x, y));
        QCOMPARE(dresk->surface().pixel(100, y), frame8.pixel(100, y));
    }
}

void AnimationTest::hidingAndShowingGoesOn()
{
    FreshRun run;
    openMain();
    CatalogueWindow *form2 = openFromMain(QStringLiteral("Form2"));
    QVERIFY(form2);
    PreviewAnimation *animation = form2->animation();
    tickTimes(form2, 3);

    click(form2, QStringLiteral("Command1"));   // "Back"
    QCOMPARE(visibleWindows(), QStringList{"Form1"});
    QCOMPARE(animation->frameIndex(), qint16(3));
    QVERIFY(animation->timer()->isActive());

    tickTimes(form2, 2);   // hidden: the ticks go on
    QCOMPARE(animation->frameIndex(), qint16(5));
    verifyFrame(form2, 5);

    QCOMPARE(openFromMain(QStringLiteral("Form2")), form2);   // the same instance again
    QCOMPARE(visibleWindows(), QStringList{"Form2"});
    QCOMPARE(form2->animation(), animation);
    QCOMPARE(animation->frameIndex(), qint16(5));
    QVERIFY(animation->timer()->isActive());
    verifyStills(form2);   // drawing is not retained: the stills until the next tick

    tickTimes(form2, 1);
    QCOMPARE(animation->frameIndex(), qint16(6));
    verifyFrame(form2, 6);
}

void AnimationTest::userActionsLeaveTheCounterAlone()
{
    FreshRun run;
    openMain();
    CatalogueWindow *form5 = openFromMain(QStringLiteral("Form5"));
    QVERIFY(form5);
    tickTimes(form5, 4);
    const QList<QImage> drawn = surfaces(form5);

    click(form5, QStringLiteral("p2"));
    QCOMPARE(form5->patchPath, std::optional<QString>(QStringLiteral("data\\Mlumbard.vkp")));
    click(form5, QStringLiteral("Command2"));   // "Apply"
    click(form5, QStringLiteral("Command4"));   // "Undo"
    QCOMPARE(run.startedLines.size(), 2);
    QVERIFY(run.messages.isEmpty());
    QCOMPARE(form5->animation()->frameIndex(), qint16(4));
    QCOMPARE(surfaces(form5), drawn);

    // Ticks leave the selection alone; 19 ticks of a 13-tick cycle stand at 6.
    tickTimes(form5, 15);
    QCOMPARE(form5->animation()->frameIndex(), qint16(6));
    QCOMPARE(form5->patchPath, std::optional<QString>(QStringLiteral("data\\Mlumbard.vkp")));

    CatalogueWindow *cz2 = switchToPage(form5, 2);
    QVERIFY(cz2);
    QCOMPARE(form5->animation()->frameIndex(), qint16(6));
    QCOMPARE(cz2->animation()->frameIndex(), qint16(0));
    click(cz2, QStringLiteral("p3"));
    tickTimes(cz2, 2);
    QCOMPARE(cz2->animation()->frameIndex(), qint16(2));
    QCOMPARE(form5->animation()->frameIndex(), qint16(6));

    QCOMPARE(switchToPage(cz2, 1), form5);
    QCOMPARE(form5->animation()->frameIndex(), qint16(6));
    QCOMPARE(cz2->animation()->frameIndex(), qint16(2));
    tickTimes(form5, 1);   // one window's tick leaves the other's selection alone
    QCOMPARE(cz2->patchPath, std::optional<QString>(QStringLiteral("data\\MBrastilJogMenu.vkp")));

    click(form5, QStringLiteral("Command1"));   // "Back"
    QVERIFY(!form5->patchPath);
    QCOMPARE(form5->animation()->frameIndex(), qint16(7));
    QCOMPARE(cz2->animation()->frameIndex(), qint16(2));
}

void AnimationTest::windowsCountIndependently()
{
    FreshRun run;
    openMain();
    CatalogueWindow *form3 = openFromMain(QStringLiteral("Form3"));
    QVERIFY(form3);
    tickTimes(form3, 3);
    click(form3, QStringLiteral("Command1"));
    const QList<QImage> form3Drawn = surfaces(form3);

    CatalogueWindow *form4 = openFromMain(QStringLiteral("Form4"));
    QVERIFY(form4);
    QCOMPARE(form4->animation()->frameIndex(), qint16(0));
    tickTimes(form4, 7);
    QCOMPARE(form4->animation()->frameIndex(), qint16(7));
    QCOMPARE(form3->animation()->frameIndex(), qint16(3));
    QCOMPARE(surfaces(form3), form3Drawn);

    tickTimes(form3, 1);
    QCOMPARE(form3->animation()->frameIndex(), qint16(4));
    QCOMPARE(form4->animation()->frameIndex(), qint16(7));
    QVERIFY(form3->animation()->timer() != form4->animation()->timer());
}

QTEST_MAIN(AnimationTest)
#include "tst_animation.moc"
