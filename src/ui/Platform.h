#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// The caption of every message box that names no title of its own.
inline const QString ProgramTitle = QStringLiteral("Brenmoor");

// What the window asks of the system: the clock, message boxes and the browser. Tests give the
// window their own so they can fix the date and answer boxes without blocking.
class Platform {
public:
    enum class Icon { Warning, Information };

    virtual ~Platform() = default;
    virtual QDateTime Now() const = 0;
    // A modal box with one OK button; returns when it has been dismissed.
    virtual void ShowMessage(QWidget* parent, Icon icon, const QString& title, const QString& text) = 0;
    // Opens the address in the default browser without waiting for it; `done` learns, at once or
    // later, whether the browser could be started.
    virtual void OpenUrl(const QUrl& url, std::function<void(bool opened)> done) = 0;
};

// The real system.
class SystemPlatform : public Platform {
public:
    QDateTime Now() const override;
    void ShowMessage(QWidget* parent, Icon icon, const QString& title, const QString& text) override;
    void OpenUrl(const QUrl& url, std::function<void(bool opened)> done) override;
};
