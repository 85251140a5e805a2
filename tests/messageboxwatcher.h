#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// While it lives, notes every modal message box that comes up and presses its first button,
// so that a test never hangs on one.
class MessageBoxWatcher
{
public:
    struct Seen
    {
        QString title;
        QString text;
        QStringList buttons;
    };

    MessageBoxWatcher()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            Seen seen{box->windowTitle(), box->text(), {}};
            for (QAbstractButton *b : box->buttons())
                seen.buttons << b->text();
            m_seen << seen;
            QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
        });
        m_timer.start();
    }

    const QList<Seen> &seen() const { return m_seen; }
    QStringList texts() const
    {
        QStringList t;
        for (const Seen &s : m_seen)
            t << s.text;
        return t;
    }

private:
    QTimer m_timer;
    QList<Seen> m_seen;
};
