// What the composer adds to frmBrowser beyond its handlers: the abbreviation
// window and file commands of the menus, and the placeholders of the
// destination boxes.
#pragma once

class frmBrowser;

// Shows frmAbreviaturas modally; its close button reloads the window's list.
void MostrarAbreviaturas(frmBrowser &ventana);

// Connects the abbreviation menu items and turns "[Cod]" and "[Núm]" into
// placeholder text (as content they would count and be sent as a number).
// Called once after the window's controls exist.
void conectarComposicion(frmBrowser &ventana);
