// SPDX-License-Identifier: MIT
// The Edit menu: Copy, Paste and Cut act on the focused text field only.

#include "mainwindow/mainwindow.h"

#include "platform/clipboard.h"
#include "widgets/entryfield.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

using widgets::EntryField;

namespace mainwindow {

void MainWindow::setEditEnabled(bool enabled)
{
    m_editMenu->setEnabled(enabled);
    // The shortcuts follow the menu: nothing to copy or paste while a mode option has it.
    m_copyAction->setEnabled(enabled);
    m_pasteAction->setEnabled(enabled);
}

bool MainWindow::editEnabled() const
{
    return m_editMenu->isEnabled();
}

EntryField *MainWindow::focusedField() const
{
    auto *entry = qobject_cast<EntryField *>(focusWidget());
    return entry && entry->isVisibleTo(this) && entry->isEnabled() ? entry : nullptr;
}

void MainWindow::copySelection()
{
    if (!editEnabled())
        return;
    if (const EntryField *entry = focusedField())
        platform::setClipboardText(entry->selectedText());
}

void MainWindow::pasteClipboard()
{
    if (!editEnabled())
        return;
    EntryField *entry = focusedField();
    if (!entry)
        return;
    const QString text = entry->pasted(platform::clipboardText());
    if (!entry->acceptsInsertion(text)) {
        QApplication::beep();
        return;
    }
    entry->insert(text);
}

void MainWindow::cutSelection()
{
    if (!editEnabled())
        return;
    EntryField *entry = focusedField();
    if (!entry)
        return;
    platform::setClipboardText(entry->selectedText());
    if (entry->hasSelectedText())
        entry->insert(QString());
}

} // namespace mainwindow
