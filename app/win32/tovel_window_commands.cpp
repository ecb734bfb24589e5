// The window modes and the shell launches: one line each over the window subsystem.
#include "app/win32/tovel_unit.h"

namespace tovel {
namespace {

// A new caption for a menu item, still followed by its shortcut's name.
void ShowItemCaption(HMENU menu, CommandId command, const std::string& caption) {
    const MenuItem* item = FindCommand(command);
    SetMenuCaption(menu, command, caption, item ? item->shortcut : Shortcut{});
}

}  // namespace

// ---- Window modes
void TTovForm::FrontF1Click() { ShowItemCaption(MainMenu(), cmdFrontF1, m_windowModes->ToggleTopmost()); }
void TTovForm::NothingN1Click() { m_windowModes->ShowOpaque(); }
void TTovForm::N751Click() { m_windowModes->ShowAtPercent(75); }
void TTovForm::N551Click() { m_windowModes->ShowAtPercent(55); }
void TTovForm::N351Click() { m_windowModes->ShowAtPercent(35); }
void TTovForm::N151Click() { m_windowModes->ShowAtPercent(15); }
void TTovForm::FoldF1Click() { m_windowModes->ToggleFold(); }

// ---- Shell launches
void TTovForm::ViewV1Click() { m_launches->Preview(); }
void TTovForm::B1Click() { m_launches->BrowserPreview(); }
void TTovForm::ManualM1Click() { m_launches->OpenManual(); }
void TTovForm::UpdateU1Click() { m_launches->ShowUpdateHistory(); }
void TTovForm::ExecuteTovel1Click() { m_launches->StartEditor(); }

}  // namespace tovel
