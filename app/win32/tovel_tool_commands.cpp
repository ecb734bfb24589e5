// The text tools: thin handlers over the tools' commands.
#include "app/win32/tovel_unit.h"

namespace tovel {

void TTovForm::M1Click() { m_toolCommands->LimitLength(); }
void TTovForm::L1Click() { m_toolCommands->DeleteLine(); }
void TTovForm::D1Click() { m_toolCommands->DeleteEverywhere(); }
void TTovForm::Replace1Click() { m_toolCommands->ReplaceEverywhere(); }
void TTovForm::R3Click() { m_toolCommands->RepeatSelection(); }
void TTovForm::Find1Click() { m_toolCommands->Find(); }
void TTovForm::N22Click() { m_toolCommands->ShowByteCount(); }
void TTovForm::C1Click() { m_toolCommands->ShowCaretPosition(); }
void TTovForm::Now1Click() { m_toolCommands->InsertDateTime(); }
void TTovForm::HTMLTagH1Click() {
    m_toolCommands->NewHtmlDocument([this](const std::string& name) { return m_documentCommands->NewFrom(name); },
                                    m_globals.AppDir);
}
void TTovForm::Open1Click() { m_toolCommands->OpenSelection(); }

}  // namespace tovel
