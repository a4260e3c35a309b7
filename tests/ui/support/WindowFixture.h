#pragma once

#include "core/HistoryFile.h"
#include "ui/Label.h"
#include "ui/MainWindow.h"
#include "ui/Platform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <concepts>
#include <functional>
#include <memory>

// A settable clock, boxes recorded, a browser that works or not.
class FakePlatform : public Platform {
public:
    QDateTime now{QDate(2013, 1, 20), QTime(14, 5, 9)};
    bool browserWorks = true;
    QList<QUrl> openedUrls;
    QStringList boxes;               // "W title: text", "I title: text"
    std::function<void()> onMessage; // called while a box is up

    QDateTime Now() const override { return now; }
    void ShowMessage(QWidget*, Icon icon, const QString& title, const QString& text) override {
        boxes << (icon == Icon::Warning ? "W " : "I ") + title + ": " + text;
        if (onMessage)
            onMessage();
    }
    void OpenUrl(const QUrl& url, std::function<void(bool opened)> done) override {
        openedUrls.append(url);
        done(browserWorks);
    }
};

// A shown window on a fake platform, its history in a fresh folder.
struct WindowFixture {
    QTemporaryDir dir;
    FakePlatform platform;
    std::unique_ptr<MainWindow> window;

    explicit WindowFixture(const QStringList& history = {}, bool start = true) {
        History::Slots texts;
        std::copy(history.begin(), history.end(), texts.begin());
        if (!history.isEmpty())
            HistoryFile::Save(HistoryPath(), texts);
        if (start)
            Start();
    }
    QString HistoryPath() const { return dir.filePath(HistoryFile::FileName); }

    void Start() {
        window = std::make_unique<MainWindow>(platform, HistoryPlaces{HistoryPath(), HistoryPath()});
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTRY_VERIFY(C("FrCalendar")); // built after the first frame
    }
    MainWindow* operator->() const { return window.get(); }

    template <typename T = QWidget> T* C(const QString& name) const { return window->findChild<T*>(name); }
    QString Text(const QString& name) const { return C<QObject>(name)->property("text").toString(); }
    bool PickerOpen() const { return C("FrCalendar")->isVisible(); }
    void Click(const QString& name) const { QTest::mouseClick(C(name), Qt::LeftButton); }
    // To the focus, or else the window.
    void Key(std::same_as<Qt::Key> auto... keys) const {
        (QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), keys),
         ...);
    }
    QString Focus() const {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    }
};

inline QColor TextColour(const QWidget* label) {
    return label->palette().color(QPalette::WindowText);
}
