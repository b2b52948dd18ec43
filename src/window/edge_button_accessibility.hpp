#pragma once

class QAbstractButton;

namespace korvelant {

// A grid button is, for a screen reader, the toggle of one edge: a button that is checked
// while the edge is present (its caption reads 1). Qt's own description of a push button
// knows no checked state for a button that is not checkable, and a checkable one would look
// pressed, so the window gives these buttons a description of its own.

// Makes `button` the toggle of an edge; its accessible name says which.
void MarkAsEdgeButton(QAbstractButton* button);

// Tells screen readers that the edge of `button` was added or removed.
void AnnounceEdgeToggled(QAbstractButton* button);

}  // namespace korvelant
