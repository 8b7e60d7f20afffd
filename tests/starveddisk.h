#pragma once

// A disk of a test's own under `base` that cannot take new bytes once starved
// (scripts/starveddisk.sh), taken down when it goes. A step gives what went wrong.

#include <QProcess>

struct StarvedDisk {
    explicit StarvedDisk(const QString &base) : base(base) {}
    ~StarvedDisk() { step("remove"); }
    QString folder() const { return base + QStringLiteral("/disk"); }
    QString step(const char *name)   // "make", "starve", "remount"
    {
        QProcess script;
        script.setProcessChannelMode(QProcess::MergedChannels);
        script.start("bash", {SOURCE_DIR "/tests/scripts/starveddisk.sh", name, base});
        const bool done = script.waitForFinished(60000) && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
        return done ? QString() : name + QStringLiteral(": ") + QString::fromLocal8Bit(script.readAll());
    }
    const QString base;
};
