// SPDX-License-Identifier: MIT
#pragma once

// The legend of the symbols the main window uses (D, Z, Sz, V, n, S, P): SignaturForm in
// Danish, UKSignaturForm in English. A plain window beside the main window, without owner,
// with no behaviour of its own.

#include "calc/language.h"

#include <QWidget>

namespace appwindows {

using calc::Language;

class LegendWindow : public QWidget
{
    Q_OBJECT
public:
    explicit LegendWindow(Language language, QWidget *parent = nullptr);

    Language language() const { return m_language; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Language m_language;
};

} // namespace appwindows
