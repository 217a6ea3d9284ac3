#pragma once

// What assistive technology is told about the form's own kinds of widget, which Qt would
// otherwise present as plain panels: a contact label is a link that can be pressed, a picture
// a graphic, and a drawn box a grouping (Qt calls a plain frame a border, which the desktop's
// accessibility bridge presents as a top-level window) or, when it is a line, a separator.

namespace widgets {

// Registers the roles with Qt's accessibility; the widgets concerned call it when created.
void registerAccessibleRoles();

} // namespace widgets
