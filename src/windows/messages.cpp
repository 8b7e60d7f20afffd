#include "messages.h"

#include <QMessageBox>

namespace Messages {

namespace {
Recorder &recorder()
{
    static Recorder current;
    return current;
}
} // namespace

void show(QWidget *parent, const QString &text)
{
    if (recorder()) {
        recorder()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, applicationTitle, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("ProjectMessage"));
    // Paths and program words inside the text are shown as they are, markup and all.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void setRecorder(Recorder r) { recorder() = std::move(r); }

} // namespace Messages
