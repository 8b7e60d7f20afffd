#include "menumakerwindow.h"

#include "menupatchfile.h"
#include "windows/messages.h"
#include "windows/windowregistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QComboBox *slotCombo(QWidget *parent, int n)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("Combo%1").arg(n));
    combo->setEditable(true);
    // The list holds the sixteen entries and nothing that is typed.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(MenuPatch::entryTexts());
    // Adding the items selects the first; a slot starts with no entry.
    combo->setCurrentIndex(-1);
    combo->setEditText(QStringLiteral("Menu picture no. %1").arg(n));
    placeTwips(combo, 120, 600 + 360 * (n - 1), 3015, 315);

    // Typing over a chosen entry leaves the slot without one, so that what the
    // edit field shows is never taken for a choice it no longer names.
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, [combo](const QString &text) {
        if (combo->currentIndex() < 0 || text == combo->itemText(combo->currentIndex()))
            return;
        const int cursor = combo->lineEdit()->cursorPosition();
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
        combo->lineEdit()->setCursorPosition(cursor);
    });
    return combo;
}

QCheckBox *keyBox(QWidget *parent, const char *name, const QString &caption, int top)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    placeTwips(box, 3360, top, 1695, 255);
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    return commandButton(parent, name, caption, left, top, 1095, 495);
}

} // namespace

MenuMakerWindow::MenuMakerWindow()
    : FormWindow(WindowId::MenuMaker, QStringLiteral("GFX Menu Maker"), QSize(379, 337), makerIcon())
    , Label1(MenuPatch::body())
{
    QWidget *area = client();
    for (int n = 1; n <= MenuPatch::slotCount; ++n)
        m_combo[n] = slotCombo(area, n);
    auto *command1 = button(area, "Command1", QStringLiteral("Make"), 3240, 2760);
    m_check1 = keyBox(area, "Check1", QStringLiteral("Right soft key"), 720);
    m_check2 = keyBox(area, "Check2", QStringLiteral("Right arow"), 1080);
    auto *command2 = button(area, "Command2", QStringLiteral("Save"), 4440, 2760);
    m_text1 = new QLineEdit(QStringLiteral("C:\\windows\\plocha\\Gfx.vkp"), area);
    m_text1->setObjectName(QStringLiteral("Text1"));
    placeTwips(m_text1, 600, 120, 4335, 375);
    auto *command3 = button(area, "Command3", QStringLiteral("Exit"), 4440, 3360);
    auto *command4 = button(area, "Command4", QStringLiteral("Back"), 3240, 3360);

    // Keyboard focus: the slots top to bottom, "Make", the key boxes, "Save", the
    // path, "Exit", "Back".
    QList<QWidget *> tabOrder(m_combo.begin() + 1, m_combo.end());
    tabOrder << command1 << m_check1 << m_check2 << command2 << m_text1 << command3 << command4;
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    m_combo[1]->setFocus();

    connect(command1, &QPushButton::clicked, this, &MenuMakerWindow::Command1_Click);
    connect(command2, &QPushButton::clicked, this, &MenuMakerWindow::Command2_Click);
    connect(command3, &QPushButton::clicked, this, &MenuMakerWindow::Command3_Click);
    connect(command4, &QPushButton::clicked, this, &MenuMakerWindow::Command4_Click);
}

void MenuMakerWindow::formLoad()
{
    for (int k = 0; k < MenuPatch::entryCount; ++k)
        entryCode[k] = MenuPatch::entryCode(k);
    for (int n = 1; n <= MenuPatch::slotCount; ++n)
        slotPrefix[n] = MenuPatch::slotPrefix(n);
}

int MenuMakerWindow::chosenEntry(int n) const { return m_combo[n]->currentIndex(); }

bool MenuMakerWindow::allSlotsChosen() const
{
    for (int n = 1; n <= MenuPatch::slotCount; ++n)
        if (chosenEntry(n) < 0)
            return false;
    return true;
}

void MenuMakerWindow::Command1_Click()
{
    // The slots: a missing one is reported and keeps its earlier line; Make goes on.
    for (int n = 1; n <= MenuPatch::slotCount; ++n) {
        const int k = chosenEntry(n);
        if (k < 0) {
            Messages::show(this, MenuPatch::slotMissingMessage(n));
            continue;
        }
        slotLine[n] = slotPrefix[n] + entryCode[k];
    }

    // The key option: with neither box ticked the latest key lines stay.
    if (const std::optional<QString> lines = MenuPatch::keyLines(m_check1->isChecked(), m_check2->isChecked()))
        keyLines = *lines;
    else
        Messages::show(this, MenuPatch::keyMissingMessage);

    // The text only from a complete set of slots; otherwise the earlier text stays.
    if (!allSlotsChosen())
        return;
    menuLines.clear();
    for (int n = 1; n <= MenuPatch::slotCount; ++n)
        menuLines += slotLine[n];
    Label2 = MenuPatch::composeText(keyLines, Label1, menuLines);
}

void MenuMakerWindow::Command2_Click()
{
    savePath = m_text1->text();
    if (Label2.isEmpty()) {
        // Saving now would only empty the file at the path.
        Messages::show(this, QStringLiteral("Nothing to save yet: click Make first"));
        return;
    }
    const MenuPatchFile::Outcome outcome = MenuPatchFile::write(savePath, Label2);
    if (!outcome.saved) {
        Messages::show(this, QStringLiteral("Cannot save the menu patch to \"%1\": %2")
                                 .arg(savePath, outcome.error));
        return;
    }
    WindowRegistry::endProgram();
}

void MenuMakerWindow::Command3_Click() { exitProgram(); }

void MenuMakerWindow::Command4_Click()
{
    WindowRegistry::hide(id());
    WindowRegistry::show(WindowId::Form1);
}
