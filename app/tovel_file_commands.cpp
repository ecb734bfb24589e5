// The file commands and the close question: thin handlers over the document's commands.
#include "app/tovel_unit.h"

namespace tovel {

bool TTovForm::NewN1Click() { return m_documentCommands->New(); }
void TTovForm::OpenO1Click() { m_documentCommands->Open(); }
void TTovForm::SaveS1Click() { m_documentCommands->Save(); }
void TTovForm::NamingSaveA1Click() { m_documentCommands->SaveAs(); }
bool TTovForm::FormCloseQuery() { return m_documentCommands->CloseQuery(); }

}  // namespace tovel
