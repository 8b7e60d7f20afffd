// A stand-in for the phone flasher: it accepts exactly the command line that the
// program builds, checks its switches and appends one line per call to
// flasher.log beside itself (data/flasher.log in a run folder). It never touches
// a serial port. A malformed line is reported on stderr with a non-zero exit.

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

namespace {

int refuse(const QString &why)
{
    QTextStream(stderr) << "v_klay stand-in: " << why << "\n"
                        << "usage: v_klay.exe /ww=1 /p=SL4x /pcom=COM<n> /pbaud=<rate> /warn=0"
                           " (/wr=1 | /rd=1) /qu=1 <patch path>\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList words = app.arguments().mid(1);
    if (words.size() < 8)
        return refuse(QStringLiteral("expected seven switches and a patch path, got %1 words")
                          .arg(words.size()));

    auto expect = [&words](int index, const QString &text) {
        return words.at(index) == text;
    };
    if (!expect(0, QStringLiteral("/ww=1")))
        return refuse(QStringLiteral("first switch must be /ww=1, not %1").arg(words.at(0)));
    if (!expect(1, QStringLiteral("/p=SL4x")))
        return refuse(QStringLiteral("phone type must be /p=SL4x, not %1").arg(words.at(1)));
    const auto port = QRegularExpression(QStringLiteral("^/pcom=COM([0-9]+)$")).match(words.at(2));
    if (!port.hasMatch())
        return refuse(QStringLiteral("serial port must be /pcom=COM<n>, not %1").arg(words.at(2)));
    const auto baud = QRegularExpression(QStringLiteral("^/pbaud=([0-9]+)$")).match(words.at(3));
    if (!baud.hasMatch())
        return refuse(QStringLiteral("baud rate must be /pbaud=<rate>, not %1").arg(words.at(3)));
    if (!expect(4, QStringLiteral("/warn=0")))
        return refuse(QStringLiteral("fifth switch must be /warn=0, not %1").arg(words.at(4)));
    QString operation;
    if (expect(5, QStringLiteral("/wr=1")))
        operation = QStringLiteral("write");
    else if (expect(5, QStringLiteral("/rd=1")))
        operation = QStringLiteral("undo");
    else
        return refuse(QStringLiteral("operation must be /wr=1 or /rd=1, not %1").arg(words.at(5)));
    if (!expect(6, QStringLiteral("/qu=1")))
        return refuse(QStringLiteral("seventh switch must be /qu=1, not %1").arg(words.at(6)));

    // A path with blanks arrives as several words; they are logged joined by one blank.
    const QString path = words.mid(7).join(QLatin1Char(' '));

    QFile log(QCoreApplication::applicationDirPath() + QStringLiteral("/flasher.log"));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return refuse(QStringLiteral("cannot write %1: %2").arg(log.fileName(), log.errorString()));
    QTextStream(&log) << operation << " port=" << port.captured(1) << " baud=" << baud.captured(1)
                      << " path=" << path << "\n";
    return 0;
}
