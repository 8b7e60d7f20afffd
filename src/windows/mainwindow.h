#pragma once

#include "formwindow.h"

class QLabel;
class QPushButton;
class QRadioButton;

// Form1: the port, the graphics language, the six category openers, help and exit.
class MainWindow : public FormWindow
{
    Q_OBJECT
public:
    MainWindow();

    // The port number: the caption of the label Com, "1" or "2".
    QString port() const;

    void com1_Click();
    void com2_Click();
    void Command1_Click();   // "Gfx MENU"
    void Command2_Click();   // "   Ending    Animation"
    void Command3_Click();   // "Animated Operator Logo"
    void Command4_Click();   // "Exit"
    void Command5_Click();   // "All Patches"
    void Command6_Click();   // "System Graphic"
    void Command7_Click();   // "Gfx Menu Maker"
    void Help_Click();

private:
    void hideThenShow(WindowId target);

    QLabel *m_com;
    QRadioButton *m_option1, *m_option2, *m_option3, *m_option4;
};
