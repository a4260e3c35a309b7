#pragma once

#include "ui/Platform.h"

#include <QList>
#include <QStringList>

#include <functional>

// A settable clock, message boxes recorded instead of shown, and a browser that works or not.
class FakePlatform : public Platform {
public:
    struct Message {
        Icon icon;
        QString title;
        QString text;
    };

    QDateTime now = QDateTime(QDate(2013, 1, 20), QTime(14, 5, 9));
    bool browserWorks = true;
    QList<QUrl> openedUrls;
    QList<Message> messages;
    // Called while a box is up, as if the user acted before dismissing it.
    std::function<void(const Message&)> onMessage;

    QDateTime Now() const override { return now; }
    void ShowMessage(QWidget*, Icon icon, const QString& title, const QString& text) override {
        messages.append({icon, title, text});
        if (onMessage)
            onMessage(messages.last());
    }
    // The boxes shown so far, as "W title: text" for a warning and "I title: text" for information.
    QStringList Boxes() const {
        QStringList shown;
        for (const Message& m : messages)
            shown << (m.icon == Icon::Warning ? "W " : "I ") + m.title + ": " + m.text;
        return shown;
    }
    bool OpenUrl(const QUrl& url) override {
        openedUrls.append(url);
        return browserWorks;
    }
};
