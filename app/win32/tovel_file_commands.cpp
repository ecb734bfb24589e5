// The file commands and the close question: thin handlers over the document's commands.
#include "app/win32/tovel_unit.h"
#include "document/print_channel.h"

namespace tovel {

bool TTovForm::NewN1Click() { return m_documentCommands->New(); }
void TTovForm::OpenO1Click() { m_documentCommands->Open(); }
void TTovForm::SaveS1Click() { m_documentCommands->Save(); }
void TTovForm::NamingSaveA1Click() { m_documentCommands->SaveAs(); }
void TTovForm::MixOpenM1Click() { m_appendCommands->MixOpen(); }
void TTovForm::MixSaveI1Click() { m_appendCommands->MixSave(); }
void TTovForm::PrintP1Click() { PrintLines(*m_note, *m_printer); }
bool TTovForm::FormCloseQuery() { return m_documentCommands->CloseQuery(); }

}  // namespace tovel
