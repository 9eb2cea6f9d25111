// The fonts the windows were laid out for, and captions that still do not fit.
// The windows place their controls at fixed positions measured with Tahoma 8 and
// Verdana; a desktop without them gets fonts of the same metrics, and a caption
// wider than its control grows into the free space beside it.
#pragma once

class QWidget;

// Substitutes for the layout fonts, the program's default font, and the growth of
// captions in every window as it is shown. Call once, after the application exists.
void PrepararFuentes();

// Widens every caption of `ventana` (labels, buttons, check boxes) whose text is wider
// than the control shows, as far as the free space beside it allows.
void AjustarTextos(QWidget *ventana);

// Width in pixels the caption of `control` needs beyond what the control shows;
// 0 when it fits or is not a caption (word-wrapped labels, pictures, rich text).
int DesbordeDeTexto(const QWidget *control);
