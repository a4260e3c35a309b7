#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The command line, read before any window or lock exists, so it needs no desktop and a second
// copy can answer while the first runs: --help and --version answer and end the program, an option
// it does not know ends it with an error. Qt's own start-up options (-platform, -style …) pass.
// Every answer is in the user's language: Chinese under a Chinese locale, English otherwise.
namespace CommandLine {

struct Answer {
    bool start = true; // false: end with exitCode after printing output (stdout) and error (stderr)
    int exitCode = 0;
    QString output;
    QString error;
};

Answer Read(const QStringList& arguments, const QLocale& locale = QLocale::system());

// Whether the program's messages on the terminal are to be in Chinese.
bool SpeaksChinese(const QLocale& locale = QLocale::system());

} // namespace CommandLine
