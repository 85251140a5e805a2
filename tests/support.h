#pragma once

// What several window tests need: controls by name, twips, and the message boxes shown.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

inline int twips(int pixels)
{
    return pixels * 15;
}

template <typename T = QWidget> T *control(const QObject *root, const char *name)
{
    return root->findChild<T *>(QLatin1String(name));
}

// While it lives, notes every modal message box and presses its first button, so that a test
// never hangs on one.
class MessageBoxWatcher
{
public:
    struct Seen
    {
        QString title, text;
        QStringList buttons;
        QMessageBox::Icon icon;
    };

    MessageBoxWatcher()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            Seen seen{box->windowTitle(), box->text(), {}, box->icon()};
            for (QAbstractButton *b : box->buttons())
                seen.buttons << b->text();
            m_seen << seen;
            QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
        });
        m_timer.start();
    }

    const QList<Seen> &boxes() const { return m_seen; }

private:
    QTimer m_timer;
    QList<Seen> m_seen;
};
