// SPDX-License-Identifier: MIT
#pragma once

// The one watchdog for modal windows, shared by every GUI test. Each expected window is
// handed to the next handler the test queued; any other is recorded and closed at once (a
// message box by its OK button), so that a test fails on what it saw instead of hanging in a
// dialog's event loop. A window is caught when it is shown, and a timer catches what slipped
// by.

#include "qtversion.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>

// A message box as the user saw it; another dialog has the title "(dialog)" and its
// objectName as text.
struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

class ModalWatchdog : public QObject
{
public:
    using Handler = std::function<void(QWidget *modal)>;

    ModalWatchdog()
    {
        qApp->installEventFilter(this);
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this,
                         [this] { check(QApplication::activeModalWidget(), true); });
        m_timer.start();
    }
    ~ModalWatchdog() override { qApp->removeEventFilter(this); }

    void expect(Handler handler) { m_expected.append(std::move(handler)); }
    int pending() const { return int(m_expected.size()); }

    // What was not expected: class, name and a message box's text.
    const QStringList &unexpected() const { return m_unexpected; }
    // The unexpected ones as the user saw them.
    QList<SeenBox> take() { return std::exchange(m_seen, {}); }
    const QList<SeenBox> &seen() const { return m_seen; }

    // The end of every GUI test: a dialog the test did not expect fails it, named by its
    // text, and a popup menu left open is closed.
    void verifyNothingUnexpected()
    {
        const QList<SeenBox> left = take();
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        QVERIFY2(left.isEmpty(), qPrintable(QStringLiteral("unexpected dialog: ") +
                                            (left.isEmpty() ? QString() : left.first().text)));
    }

    // Closes a modal window the way its Esc key or close box would.
    static void dismiss(QWidget *modal)
    {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        // Once hidden, the same window shown modal again counts as a new one.
        if (event->type() == QEvent::Hide && widget == m_handled)
            m_handled = nullptr;
        // Handled from the dialog's own event loop, once it runs.
        if (event->type() == QEvent::Show && widget->isWindow() && widget->isModal())
            QMetaObject::invokeMethod(
                this, [this, guard = QPointer<QWidget>(widget)] { check(guard, false); },
                Qt::QueuedConnection);
        return false;
    }

private:
    void check(QWidget *modal, bool tick)
    {
        if (!modal || !modal->isVisible())
            return;
        if (modal == m_handled) {
            // A handler that failed half-way left its window open: close it, never hang.
            if (tick && ++m_ticksOpen == StuckTicks) {
                m_unexpected << QStringLiteral("still open after its handler: ") +
                                    modal->objectName();
                dismiss(modal);
            }
            return;
        }
        m_handled = modal;
        m_ticksOpen = 0;
        if (!m_expected.isEmpty()) {
            const Handler handler = m_expected.takeFirst();
            handler(modal);
            return;
        }
        QString what = QString::fromLatin1(modal->metaObject()->className()) + QLatin1Char(' ') +
                       modal->objectName();
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            m_seen.append(
                {QStringLiteral("(dialog)"), modal->objectName(), QMessageBox::NoIcon, {}});
            m_unexpected << what;
            dismiss(modal);
            return;
        }
        m_seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
        m_unexpected << what + QLatin1String(": ") + box->text();
        QPointer<QWidget> owner = box->parentWidget() ? box->parentWidget()->window() : nullptr;
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
        // As a window manager would: the owner is active again once the box has gone.
        QTimer::singleShot(0, this, [owner] {
            if (owner && owner->isVisible())
                makeActiveWindow(owner);
        });
    }

    static constexpr int StuckTicks = 100; // two seconds

    QTimer m_timer;
    int m_ticksOpen = 0;
    QList<Handler> m_expected;
    QStringList m_unexpected;
    QList<SeenBox> m_seen;
    QPointer<QWidget> m_handled;
};
