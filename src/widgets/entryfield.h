// SPDX-License-Identifier: MIT
#pragma once

// A text field of the main window. It reports the events the window's rules act on (got
// focus, lost focus, Enter, right click, the clipboard keys) and guards what may be typed:
// the comma and point keys give the decimal separator in use, a double quote or control
// character never gets in, and an entry field takes at most twelve typed characters.
//
// The limit is kept here, not with setMaxLength, because a calculation may write a longer
// text (1/24 gives 0.0416666666666667) and that must stay whole.

#include "calc/numbers.h"

#include <QLineEdit>

#include <functional>

namespace widgets {

class EntryField : public QLineEdit
{
    Q_OBJECT
public:
    enum class Kind {
        Entry, // one of the eight quantities: limited, stored, calculated
        Result // the CNC line: no limit, nothing stored
    };

    static constexpr int MaxTypedLength = 12;

    explicit EntryField(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }

    // The decimal separator in use, read at each key and paste; a comma until set.
    void setDecimalSeparator(std::function<calc::DecimalSeparator()> decimalSeparator);

    // Whether replacing the selection (or inserting at the caret) by text keeps the field
    // within its limit. A field that is longer already may be edited, but not lengthened.
    bool acceptsInsertion(const QString &text) const;

    // text without what the field can never hold: control characters (line breaks, tabs)
    // and, in an entry field, the double quote, which the settings file cannot store.
    QString cleaned(const QString &text) const;

    // A pasted text as the field takes it: cleaned, and in an entry field every point and
    // comma turned into the decimal separator in use, as the keys are.
    QString pasted(const QString &text) const;

    // The value failed the last computation: a screen reader hears the field described so
    // (Qt has no invalid-entry state to give) until it is edited or computes. Empty: valid.
    void setInvalidEntry(const QString &description);
    bool invalidEntry() const { return m_invalidEntry; }

signals:
    void gotFocus();
    void lostFocus();
    void enterPressed();
    void rightClicked(const QPoint &globalPos);
    void copyRequested();
    void pasteRequested();
    void cutRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QString translated(const QString &typed) const;
    calc::DecimalSeparator decimalSeparator() const;

    Kind m_kind;
    std::function<calc::DecimalSeparator()> m_decimalSeparator;
    bool m_focusedByPress = false;
    bool m_focused = false; // got focus, and has not left since
    bool m_invalidEntry = false;
};

// True for focus changes that do not move the focus between the window's controls: another
// window (a message box) or a menu took it, or gives it back.
bool isWindowFocusChange(Qt::FocusReason reason);

} // namespace widgets
