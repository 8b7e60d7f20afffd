#pragma once

// A disk of a test's own that cannot take new bytes once starved, made by
// scripts/starveddisk.sh and taken down when it goes. Each step says what went
// wrong; nothing when it went well.

#include <QProcess>

class StarvedDisk
{
public:
    explicit StarvedDisk(const QString &base) : m_base(base), m_error(step("make")) {}
    ~StarvedDisk() { step("remove"); }
    QString error() const { return m_error; }
    QString folder() const { return m_base + QStringLiteral("/disk"); }
    QString starve() { return step("starve"); }
    QString remount() { return step("remount"); }   // the files then hold what the disk holds

private:
    QString step(const char *name)
    {
        QProcess script;
        script.setProcessChannelMode(QProcess::MergedChannels);
        script.start("bash", {SOURCE_DIR "/tests/scripts/starveddisk.sh", name, m_base});
        const bool done = script.waitForFinished(60000) && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
        return done ? QString() : name + QStringLiteral(": ") + QString::fromLocal8Bit(script.readAll());
    }

    QString m_base, m_error;
};
