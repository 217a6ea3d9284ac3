#pragma once

// Watches for modal windows while a test runs. Each expected one is handed to the next
// handler the test queued (which records and closes it); any other is closed at once and
// recorded as unexpected, so a test fails instead of hanging in a dialog's event loop.

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

class ModalWatchdog : public QObject
{
public:
    using Handler = std::function<void(QWidget *modal)>;

    ModalWatchdog()
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::check);
        m_timer.start();
    }

    void expect(Handler handler) { m_expected.append(std::move(handler)); }

    int pending() const { return int(m_expected.size()); }
    const QStringList &unexpected() const { return m_unexpected; }

    // Closes a modal window the way its Esc key or close box would.
    static void Dismiss(QWidget *modal)
    {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Once hidden, the same window shown modal again counts as a new one.
        if (watched == m_handled && event->type() == QEvent::Hide) {
            watched->removeEventFilter(this);
            m_handled = nullptr;
        }
        return false;
    }

private:
    void check()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            m_handled = nullptr; // the same window may come back modal later
        if (!modal)
            return;
        if (modal == m_handled) {
            // A handler that failed half-way left its window open: close it, never hang.
            if (++m_ticksOpen == StuckTicks) {
                m_unexpected << QStringLiteral("still open after its handler: ") +
                                    modal->objectName();
                Dismiss(modal);
            }
            return;
        }
        m_handled = modal;
        m_ticksOpen = 0;
        modal->installEventFilter(this);
        if (!m_expected.isEmpty()) {
            const Handler handler = m_expected.takeFirst();
            handler(modal);
            return;
        }
        QString what = QString::fromLatin1(modal->metaObject()->className()) + QLatin1Char(' ') +
                       modal->objectName();
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            what += QLatin1String(": ") + box->text();
        m_unexpected << what;
        Dismiss(modal);
    }

    static constexpr int StuckTicks = 100; // two seconds

    QTimer m_timer;
    int m_ticksOpen = 0;
    QList<Handler> m_expected;
    QStringList m_unexpected;
    QPointer<QWidget> m_handled;
};
