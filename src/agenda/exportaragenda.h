// The menu commands "Exportar" -> "Agenda a un archivo..." and "Importar" ->
// "Agenda de un archivo...": file dialogs, questions and messages around the
// agenda file.
#pragma once

struct Contexto;
class PrincipalAgenda;

namespace Agenda {

void ExportarAgenda(Contexto &ctx);
// Refreshes the contacts panel and the quick-contact drop-down when contacts came in.
void ImportarAgenda(Contexto &ctx, PrincipalAgenda &principal);

} // namespace Agenda
