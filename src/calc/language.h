// SPDX-License-Identifier: MIT
#pragma once

// The language of a main window. It chooses the CNC line's words and the texts, and the
// settings remember it, so it sits below all three.

namespace calc {

enum class Language { Danish, English };

} // namespace calc
