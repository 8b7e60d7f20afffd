#include "mainwindow.h"

#include "messages.h"
#include "windowregistry.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

QRadioButton *option(QWidget *parent, const char *name, const QString &caption, int top)
{
    QRadioButton *o = optionButton(parent, name, caption);
    placeTwips(o, 120, top, 1215, 255);
    return o;
}

QLabel *portLabel(QWidget *parent, const char *name, const QString &caption,
                  int left, int width)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(msSansSerif(13.5));
    placeTwips(label, left, 1560, width, 375);
    return label;
}

} // namespace

MainWindow::MainWindow()
    : FormWindow(WindowId::Form1, QStringLiteral("Pikvart by Lumbard"), QSize(310, 197), appIcon())
{
    auto *menuBar = new QMenuBar;
    menuBar->setNativeMenuBar(false);
    QAction *help = menuBar->addAction(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help"));
    setMenuBar(menuBar);

    QWidget *area = client();
    auto *command7 = commandButton(area, "Command7", QStringLiteral("Gfx Menu Maker"), 1560, 1560, 1455, 615);
    m_option4 = option(area, "Option4", QStringLiteral("German gfx"), 2040);
    auto *com2 = commandButton(area, "com2", QStringLiteral("Com 2"), 3960, 2040, 615, 255);
    auto *com1 = commandButton(area, "com1", QStringLiteral("Com 1"), 3120, 2040, 615, 255);
    m_option2 = option(area, "Option2", QStringLiteral("English gfx"), 1320);
    m_option1 = option(area, "Option1", QStringLiteral("Czech gfx"), 960);
    m_option3 = option(area, "Option3", QStringLiteral("Polih gfx"), 1680);
    auto *command6 = commandButton(area, "Command6", QStringLiteral("System Graphic"), 1560, 840, 1455, 615);
    auto *command5 = commandButton(area, "Command5", QStringLiteral("All Patches"), 3120, 840, 1455, 615);
    auto *command4 = commandButton(area, "Command4", QStringLiteral("Exit"), 1560, 2280, 1455, 615);
    auto *command3 = commandButton(area, "Command3", QStringLiteral("Animated Operator Logo"), 3120, 120, 1455, 615);
    auto *command2 = commandButton(area, "Command2", QStringLiteral("   Ending    Animation"), 1560, 120, 1455, 615);
    auto *command1 = commandButton(area, "Command1", QStringLiteral("Gfx MENU"), 0, 120, 1455, 615);
    portLabel(area, "Label1", QStringLiteral("Com port:"), 3120, 1335);
    m_com = portLabel(area, "Com", QStringLiteral("1"), 4440, 255);
    m_option1->setChecked(true);

    // Keyboard focus follows the tab indices 0 to 14; the labels take no focus.
    const QList<QWidget *> tabOrder = {command1, command2, command3, command4, command5,
                                       command6, m_option3, m_option1, m_option2, com1,
                                       com2, m_option4, command7};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    command1->setFocus();

    connect(com1, &QPushButton::clicked, this, &MainWindow::com1_Click);
    connect(com2, &QPushButton::clicked, this, &MainWindow::com2_Click);
    connect(command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
    connect(command4, &QPushButton::clicked, this, &MainWindow::Command4_Click);
    connect(command5, &QPushButton::clicked, this, &MainWindow::Command5_Click);
    connect(command6, &QPushButton::clicked, this, &MainWindow::Command6_Click);
    connect(command7, &QPushButton::clicked, this, &MainWindow::Command7_Click);
    connect(help, &QAction::triggered, this, &MainWindow::Help_Click);
}

QString MainWindow::port() const { return m_com->text(); }

void MainWindow::com1_Click() { m_com->setText(QStringLiteral("1")); }
void MainWindow::com2_Click() { m_com->setText(QStringLiteral("2")); }

void MainWindow::Command1_Click()
{
    // Four separate tests, then the main window hides: the target shows first.
    if (m_option1->isChecked())
        WindowRegistry::show(WindowId::Form5);
    if (m_option2->isChecked())
        WindowRegistry::show(WindowId::Form2);
    if (m_option3->isChecked())
        WindowRegistry::show(WindowId::Form8);
    if (m_option4->isChecked())
        WindowRegistry::show(WindowId::german);
    WindowRegistry::hide(WindowId::Form1);
}

void MainWindow::hideThenShow(WindowId target)
{
    WindowRegistry::hide(WindowId::Form1);
    WindowRegistry::show(target);
}

void MainWindow::Command2_Click() { hideThenShow(WindowId::Form3); }
void MainWindow::Command3_Click() { hideThenShow(WindowId::Form4); }
void MainWindow::Command4_Click() { exitProgram(); }
void MainWindow::Command5_Click() { hideThenShow(WindowId::Form6); }
void MainWindow::Command6_Click() { hideThenShow(WindowId::Form7); }
void MainWindow::Command7_Click() { hideThenShow(WindowId::MenuMaker); }

void MainWindow::Help_Click()
{
    Messages::show(this, QStringLiteral("Only select picture or patch and click on apply or undo :))"));
}
