// The switch between the two Czech menu pages: which window is shown, the order
// of hides, shows and radio changes, and the selections that survive it.

#include "testsupport.h"
#include "windows/cataloguewindow.h"
#include "windows/windowregistry.h"

#include <QApplication>
#include <QEvent>
#include <QRadioButton>
#include <QSet>
#include <QTest>

namespace {

const QString writeHead = QStringLiteral("data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 /qu=1 ");
const QString undoHead = QStringLiteral("data\\V_KLay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /rd=1 /qu=1 ");

CatalogueWindow *page(WindowId id) { return WindowRegistry::existingAs<CatalogueWindow>(id); }

// (page-1 radio, page-2 radio) of a page.
QString radios(QWidget *window)
{
    const auto state = [window](const char *name) {
        return control<QRadioButton>(window, QLatin1String(name))->isChecked() ? QStringLiteral("on")
                                                                                : QStringLiteral("off");
    };
    return QStringLiteral("(%1,%2)").arg(state("Option1"), state("Option2"));
}

// Records, in order, every show and hide of the main window and the two pages
// and every change of a page radio, each with the radios of its page at that
// moment.
class EffectLog : public QObject
{
public:
    EffectLog() { qApp->installEventFilter(this); }
    ~EffectLog() override { qApp->removeEventFilter(this); }

    QStringList entries;

    // From the first hide or show on: what a switch does after the user's click.
    QStringList fromFirstWindowChange() const
    {
        for (qsizetype i = 0; i < entries.size(); ++i)
            if (entries.at(i).startsWith(QLatin1String("show")) || entries.at(i).startsWith(QLatin1String("hide")))
                return entries.mid(i);
        return {};
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool showOrHide = event->type() == QEvent::Show || event->type() == QEvent::Hide;
        if (!showOrHide || event->spontaneous() || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        const QString name = widget->objectName();
        if (!widget->isWindow() || !QSet<QString>{"Form1", "Form5", "cz2"}.contains(name))
            return false;
        QString entry = (event->type() == QEvent::Show ? QStringLiteral("show ") : QStringLiteral("hide ")) + name;
        if (name != QLatin1String("Form1")) {
            entry += QLatin1Char(' ') + radios(widget);
            watchRadios(widget);
        }
        entries << entry;
        return false;
    }

private:
    void watchRadios(QWidget *window)
    {
        if (m_watched.contains(window))
            return;
        m_watched << window;
        for (const char *name : {"Option1", "Option2"}) {
            auto *radio = control<QRadioButton>(window, QLatin1String(name));
            const QString label = window->objectName() + QLatin1Char('.') + QLatin1String(name);
            connect(radio, &QRadioButton::toggled, this, [this, window, label](bool on) {
                entries << label + (on ? QStringLiteral(" on ") : QStringLiteral(" off ")) + radios(window);
            });
        }
    }

    QSet<QWidget *> m_watched;
};

CatalogueWindow *openPageOne()
{
    FormWindow *main = WindowRegistry::existing(WindowId::Form1);
    if (!main)
        main = openMain();
    click(main, QStringLiteral("Command1"));   // "Gfx MENU" with "Czech gfx" checked
    return page(WindowId::Form5);
}

} // namespace

class PageSwitchTest : public QObject
{
    Q_OBJECT
private slots:
    void switchesInOrder();
    void selectionsSurviveSwitches();
    void backOnPageTwoThenGfxMenu();
    void onlyTheOtherPagesRadioSwitches();
    void tabStopsAtTheCheckedPageRadio();
};

void PageSwitchTest::switchesInOrder()
{
    WorkingFolder folder;
    FreshRun run;
    EffectLog log;
    CatalogueWindow *form5 = openPageOne();
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form5")});
    QCOMPARE(radios(form5), QStringLiteral("(on,off)"));
    QVERIFY(!WindowRegistry::existing(WindowId::cz2));

    // To page 2: hide page 1, show page 2 (loaded now: still page 1 on), then off before on.
    log.entries.clear();
    clickRadio(form5, QStringLiteral("Option2"));
    CatalogueWindow *cz2 = page(WindowId::cz2);
    QVERIFY(cz2);
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("cz2")});
    QCOMPARE(log.fromFirstWindowChange(),
             (QStringList{"hide Form5 (off,on)", "show cz2 (on,off)",
                          "cz2.Option1 off (off,off)", "cz2.Option2 on (off,on)"}));
    QCOMPARE(radios(cz2), QStringLiteral("(off,on)"));
    QCOMPARE(radios(form5), QStringLiteral("(off,on)"));
    QVERIFY(!cz2->patchPath.has_value());

    // To page 1: show page 1 first, hide page 2 second, then on before off.
    log.entries.clear();
    clickRadio(cz2, QStringLiteral("Option1"));
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form5")});
    QCOMPARE(log.fromFirstWindowChange(),
             (QStringList{"show Form5 (off,on)", "hide cz2 (on,off)",
                          "Form5.Option1 on (on,on)", "Form5.Option2 off (on,off)"}));
    QCOMPARE(radios(form5), QStringLiteral("(on,off)"));
    QCOMPARE(radios(cz2), QStringLiteral("(on,off)"));

    // Again to page 2: the same window, not loaded anew.
    log.entries.clear();
    clickRadio(form5, QStringLiteral("Option2"));
    QCOMPARE(page(WindowId::cz2), cz2);
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("cz2")});
    QCOMPARE(log.fromFirstWindowChange(),
             (QStringList{"hide Form5 (off,on)", "show cz2 (on,off)",
                          "cz2.Option1 off (off,off)", "cz2.Option2 on (off,on)"}));

    // The radios stay exclusive for the user after being set from code.
    clickRadio(cz2, QStringLiteral("Option1"));
    QCOMPARE(radios(cz2), QStringLiteral("(on,off)"));
    QCOMPARE(radios(form5), QStringLiteral("(on,off)"));
    QVERIFY(run.messages.isEmpty());
}

void PageSwitchTest::selectionsSurviveSwitches()
{
    WorkingFolder folder;
    FreshRun run;
    CatalogueWindow *form5 = openPageOne();
    click(form5, QStringLiteral("p1"));   // data\MHaskoly.vkp
    clickRadio(form5, QStringLiteral("Option2"));
    CatalogueWindow *cz2 = page(WindowId::cz2);

    click(cz2, QStringLiteral("Command2"));
    QCOMPARE(run.messages, QStringList{QStringLiteral("You must select picture")});
    QVERIFY(run.startedLines.isEmpty());

    click(cz2, QStringLiteral("p3"));   // data\MBrastilJogMenu.vkp
    clickRadio(cz2, QStringLiteral("Option1"));
    click(form5, QStringLiteral("Command2"));
    clickRadio(form5, QStringLiteral("Option2"));
    click(cz2, QStringLiteral("Command4"));
    clickRadio(cz2, QStringLiteral("Option1"));
    click(form5, QStringLiteral("Command4"));

    QCOMPARE(run.startedLines, (QStringList{writeHead + "data\\MHaskoly.vkp",
                                            undoHead + "data\\MBrastilJogMenu.vkp",
                                            undoHead + "data\\MHaskoly.vkp"}));
    QCOMPARE(run.messages.size(), 1);
    QCOMPARE(page(WindowId::cz2), cz2);
}

void PageSwitchTest::backOnPageTwoThenGfxMenu()
{
    WorkingFolder folder;
    FreshRun run;
    CatalogueWindow *form5 = openPageOne();
    click(form5, QStringLiteral("p2"));   // data\Mlumbard.vkp
    clickRadio(form5, QStringLiteral("Option2"));
    CatalogueWindow *cz2 = page(WindowId::cz2);
    click(cz2, QStringLiteral("p1"));
    click(cz2, QStringLiteral("Command1"));   // "Back"

    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form1")});
    QVERIFY(!cz2->patchPath.has_value());
    QCOMPARE(radios(cz2), QStringLiteral("(off,on)"));
    QCOMPARE(radios(form5), QStringLiteral("(off,on)"));

    // Page 1 comes back with its page-2 radio still on and its old picture.
    QCOMPARE(openPageOne(), form5);
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form5")});
    QCOMPARE(radios(form5), QStringLiteral("(off,on)"));
    click(form5, QStringLiteral("Command2"));
    QCOMPARE(run.startedLines, QStringList{writeHead + "data\\Mlumbard.vkp"});

    // Its page-2 radio, although on already, switches again.
    clickRadio(form5, QStringLiteral("Option2"));
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("cz2")});
    QCOMPARE(radios(cz2), QStringLiteral("(off,on)"));
    click(cz2, QStringLiteral("Command2"));
    QCOMPARE(run.messages, QStringList{QStringLiteral("You must select picture")});
    QCOMPARE(run.startedLines.size(), 1);
}

void PageSwitchTest::onlyTheOtherPagesRadioSwitches()
{
    WorkingFolder folder;
    FreshRun run;
    CatalogueWindow *form5 = openPageOne();

    // Radios set from code start nothing.
    form5->pageRadio(2)->setChecked(true);
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form5")});
    QVERIFY(!WindowRegistry::existing(WindowId::cz2));
    form5->pageRadio(1)->setChecked(true);

    // The shown page's own radio and the labels run nothing.
    clickRadio(form5, QStringLiteral("Option1"));
    click(form5, QStringLiteral("Label1"));
    click(form5, QStringLiteral("Label2"));
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form5")});
    QVERIFY(!WindowRegistry::existing(WindowId::cz2));

    clickRadio(form5, QStringLiteral("Option2"));
    CatalogueWindow *cz2 = page(WindowId::cz2);
    cz2->pageRadio(1)->setChecked(true);
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("cz2")});
    cz2->pageRadio(2)->setChecked(true);
    clickRadio(cz2, QStringLiteral("Option2"));
    click(cz2, QStringLiteral("Label1"));
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("cz2")});
    QCOMPARE(radios(cz2), QStringLiteral("(off,on)"));
    QVERIFY(run.messages.isEmpty());
    QVERIFY(run.startedLines.isEmpty());
}

void PageSwitchTest::tabStopsAtTheCheckedPageRadio()
{
    WorkingFolder folder;
    FreshRun run;
    EffectLog log;
    CatalogueWindow *form5 = openPageOne();
    QCOMPARE(tabStops(control(form5, "Command3")),
             (QStringList{"Command3", "Command1", "Command4", "Command2", "p1", "p2", "p5", "p4", "p3", "p6", "Option1"}));

    // Shift+Tab reaches the page radio; Down picks page 2 just as a click does.
    QTest::keyClick(form5->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    log.entries.clear();
    QTest::keyClick(form5->focusWidget(), Qt::Key_Down);
    QCOMPARE(log.fromFirstWindowChange(),
             (QStringList{"hide Form5 (off,on)", "show cz2 (on,off)",
                          "cz2.Option1 off (off,off)", "cz2.Option2 on (off,on)"}));
    CatalogueWindow *cz2 = page(WindowId::cz2);
    QCOMPARE(tabStops(control(cz2, "Command2")),
             (QStringList{"Command2", "Command4", "Command1", "Command3", "Option2", "p2", "p1", "p3"}));

    // Up on page 2's radio picks page 1.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(cz2->focusWidget(), Qt::Key_Tab);
    QTest::keyClick(cz2->focusWidget(), Qt::Key_Up);
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form5")});
    QCOMPARE(radios(form5), QStringLiteral("(on,off)"));
}

QTEST_MAIN(PageSwitchTest)
#include "tst_pageswitch.moc"
