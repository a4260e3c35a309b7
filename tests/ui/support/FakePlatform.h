#pragma once

#include "ui/Platform.h"

#include <QList>
#include <QStringList>

#include <functional>

// A settable clock, message boxes recorded instead of shown, and a browser that works or not.
class FakePlatform : public Platform {
public:
    QDateTime now = QDateTime(QDate(2013, 1, 20), QTime(14, 5, 9));
    bool browserWorks = true;
    QList<QUrl> openedUrls;
    // The boxes shown so far, as "W title: text" for a warning and "I title: text" for information.
    QStringList boxes;
    // Called while a box is up, as if the user acted before dismissing it.
    std::function<void(const QString& box)> onMessage;

    QDateTime Now() const override { return now; }
    void ShowMessage(QWidget*, Icon icon, const QString& title, const QString& text) override {
        boxes << (icon == Icon::Warning ? "W " : "I ") + title + ": " + text;
        if (onMessage)
            onMessage(boxes.last());
    }
    bool OpenUrl(const QUrl& url) override {
        openedUrls.append(url);
        return browserWorks;
    }
};
