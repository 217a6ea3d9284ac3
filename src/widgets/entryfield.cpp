// SPDX-License-Identifier: MIT
#include "widgets/entryfield.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

namespace widgets {

namespace {

bool isStorable(QChar c, EntryField::Kind kind)
{
    if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
        c == QChar::ParagraphSeparator)
        return false;
    return kind == EntryField::Kind::Result || c != u'"';
}

// Catches what the key rules do not see (an input method, an undo): a text with a character
// the field cannot hold is refused.
class StorableText : public QValidator
{
public:
    StorableText(EntryField::Kind kind, QObject *parent) : QValidator(parent), m_kind(kind) {}

    State validate(QString &input, int &) const override
    {
        for (QChar c : std::as_const(input))
            if (!isStorable(c, m_kind))
                return Invalid;
        return Acceptable;
    }

private:
    EntryField::Kind m_kind;
};

// A key held with Alt, Ctrl or Meta is a command, never typing, even when no shortcut takes
// it (Alt+F with a menu bar that has no access keys).
bool isCommandKey(const QKeyEvent *event)
{
    return event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
}

// A key that types text: printable, and no command.
bool typesText(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty() || isCommandKey(event))
        return false;
    const QChar first = text.at(0);
    return first.isPrint() || first.isHighSurrogate() ||
           first.category() == QChar::Other_PrivateUse;
}

} // namespace

bool isWindowFocusChange(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

EntryField::EntryField(Kind kind, QWidget *parent) : QLineEdit(parent), m_kind(kind)
{
    setValidator(new StorableText(kind, this));
    // Only the window's Edit menu opens on a right click; dropped text would pass by the
    // key rules.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
    connect(this, &QLineEdit::textChanged, this, [this] { setInvalidEntry({}); });
}

void EntryField::setInvalidEntry(const QString &description)
{
    // A valid field keeps any description it has; a field turned valid loses the message.
    if (description.isEmpty() ? !m_invalidEntry : accessibleDescription() == description)
        return;
    m_invalidEntry = !description.isEmpty();
    setAccessibleDescription(description);
}

void EntryField::setDecimalSeparator(std::function<calc::DecimalSeparator()> decimalSeparator)
{
    m_decimalSeparator = std::move(decimalSeparator);
}

calc::DecimalSeparator EntryField::decimalSeparator() const
{
    return m_decimalSeparator ? m_decimalSeparator() : calc::DecimalSeparator(u',');
}

bool EntryField::acceptsInsertion(const QString &text) const
{
    if (m_kind == Kind::Result)
        return true;
    const qsizetype length = this->text().size();
    const qsizetype newLength = length - selectedText().size() + text.size();
    return newLength <= MaxTypedLength || newLength <= length;
}

QString EntryField::cleaned(const QString &text) const
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text)
        if (isStorable(c, m_kind))
            result.append(c);
    return result;
}

QString EntryField::pasted(const QString &text) const
{
    // A tab between two cells stands for a blank: dropped, "1<Tab>1/2" would read as 11/2.
    QString result = cleaned(m_kind == Kind::Entry ? QString(text).replace(u'\t', u' ') : text);
    // A number copied from a drawing or another program reads as if typed here.
    if (m_kind == Kind::Entry) {
        const QChar separator = decimalSeparator();
        for (QChar &c : result)
            if (c == u',' || c == u'.')
                c = separator;
    }
    return result;
}

QString EntryField::translated(const QString &typed) const
{
    // Either key gives the separator of the user's locale.
    if (m_kind == Kind::Entry && typed.size() == 1 && (typed == u"," || typed == u"."))
        return QString(decimalSeparator());
    return typed;
}

void EntryField::keyPressEvent(QKeyEvent *event)
{
    // The clipboard keys go through the window's Edit commands, so they follow the same
    // rules (and the same enabled state) as the menu.
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        emit copyRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        emit pasteRequested();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        event->accept();
        emit cutRequested();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_kind == Kind::Entry)
            emit enterPressed();
        event->accept();
        return;
    }
    if (isCommandKey(event) && !event->text().isEmpty()) {
        // The field's own editing keys (Ctrl+A, Ctrl+Z, ...) still work; the character stays out.
        QKeyEvent command(event->type(), event->key(), event->modifiers(), QString(),
                          event->isAutoRepeat(), event->count());
        QLineEdit::keyPressEvent(&command);
        event->setAccepted(command.isAccepted());
        return;
    }
    if (typesText(event)) {
        event->accept();
        const QString text = translated(event->text());
        if (cleaned(text) != text || !acceptsInsertion(text))
            return;
        insert(text);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EntryField::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QString kept = cleaned(commit);
    if (!acceptsInsertion(kept))
        kept.clear();
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->setAccepted(filtered.isAccepted());
}

void EntryField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Coming back from a message box or a menu is no new focus. But when leaving the former
    // field showed a message, this field receives the focus only once the message is gone.
    if (isWindowFocusChange(event->reason()) && m_focused)
        return;
    m_focused = true;
    m_focusedByPress = event->reason() == Qt::MouseFocusReason;
    emit gotFocus();
}

void EntryField::focusOutEvent(QFocusEvent *event)
{
    m_focusedByPress = false;
    QLineEdit::focusOutEvent(event);
    if (isWindowFocusChange(event->reason()))
        return;
    m_focused = false;
    emit lostFocus();
    // A field that is left shows its value from the first digit, not its end.
    if (!hasFocus())
        home(false);
}

void EntryField::mousePressEvent(QMouseEvent *event)
{
    const bool focusedByThisPress = m_focusedByPress;
    m_focusedByPress = false;
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightClicked(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        // No middle-button paste: it would pass by the Edit commands.
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
    // The click that brought the focus keeps the whole text selected, so the next key
    // replaces it, as after Tab. A click on the CNC line selects it whole for copying, also
    // when it has the focus already.
    if (focusedByThisPress || (m_kind == Kind::Result && !(event->modifiers() & Qt::ShiftModifier)))
        selectAll();
}

void EntryField::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void EntryField::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

} // namespace widgets
