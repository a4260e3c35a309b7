#pragma once

#include <QProcess>

// The environment with changes: "NAME=value" sets, "NAME" alone removes.
inline QProcessEnvironment Changed(QProcessEnvironment environment, const QStringList& changes) {
    for (const QString& change : changes)
        if (change.contains('='))
            environment.insert(change.section('=', 0, 0), change.section('=', 1));
        else
            environment.remove(change);
    return environment;
}

// A program run to its end: exit code (-1 when it crashed or hung), stdout and stderr.
struct ProgramRun {
    int exitCode = -1;
    QString output, error;
};

inline ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                             const QStringList& changes = {}, int timeoutMs = 60000) {
    QProcess process;
    process.setProcessEnvironment(Changed(QProcessEnvironment::systemEnvironment(), changes));
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs))
        process.kill();
    process.waitForFinished();
    const bool normal = process.exitStatus() == QProcess::NormalExit;
    return {normal ? process.exitCode() : -1, QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError()) + (normal ? "" : process.errorString())};
}
