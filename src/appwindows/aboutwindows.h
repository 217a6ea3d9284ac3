// SPDX-License-Identifier: MIT
#pragma once

// The version window OmForm (one for both languages) and the about-the-maker window,
// OmKovrinForm in Danish and UKOmKovrinForm in English. Their OK button is the default and
// the cancel button: Enter and Esc close them as well.

#include "calc/language.h"

#include <QDialog>

namespace appwindows {

using calc::Language;

class AboutProgramWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutProgramWindow(QWidget *parent = nullptr);

    // The version line: the running program's major.minor.revision.
    static QString versionText();
};

class AboutMakerWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutMakerWindow(Language language, QWidget *parent = nullptr);

    Language language() const { return m_language; }

private:
    Language m_language;
};

} // namespace appwindows
