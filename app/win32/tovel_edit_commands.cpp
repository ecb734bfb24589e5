// Editing commands, the toolbar and context-menu forwarders, and the window-level commands.
#include "AboutBox/win32/about_form.h"
#include "app/win32/tovel_unit.h"
#include "gutter/win32/line_gutter.h"
#include "setting/win32/setting_form.h"

namespace tovel {

// Each editing command is one request to the editor; the change of the text it makes, if any, marks the
// document modified.
void TTovForm::UndoU1Click() { m_note->Undo(); }
void TTovForm::CutT1Click() { m_note->CutToClipboard(); }
void TTovForm::CopyC1Click() { m_note->CopyToClipboard(); }
void TTovForm::PasteP1Click() { m_note->PasteFromClipboard(); }
void TTovForm::DeleteD1Click() { m_note->ClearSelection(); }
void TTovForm::SelectAllA1Click() { m_note->SelectAll(); }

// The editor's context menu runs the same handlers as the menu bar.
void TTovForm::UndoU2Click() { UndoU1Click(); }
void TTovForm::CutT2Click() { CutT1Click(); }
void TTovForm::CopyC2Click() { CopyC1Click(); }
void TTovForm::PasteP2Click() { PasteP1Click(); }
void TTovForm::DeleteD2Click() { DeleteD1Click(); }
void TTovForm::SelectAllA2Click() { SelectAllA1Click(); }

// Toolbar buttons.
void TTovForm::Button1Click() { NewN1Click(); }
void TTovForm::Button2Click() { OpenO1Click(); }
void TTovForm::Button4Click() { SaveS1Click(); }
void TTovForm::Button6Click() { ViewV1Click(); }
void TTovForm::Button7Click() { UndoU1Click(); }
void TTovForm::Button10Click() { CutT1Click(); }
void TTovForm::Button11Click() { CopyC1Click(); }
void TTovForm::Button12Click() { PasteP1Click(); }

void TTovForm::R1Click() { ViewV1Click(); }

// Through the normal close path: the close question may still cancel it.
void TTovForm::ExitX1Click() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void TTovForm::Version1Click() {
    if (m_about) m_about->ShowModeless();
}

void TTovForm::S2Click() {
    if (m_setting) m_setting->ShowModeless();
}

// ---- The gutter follows the editor on keys, clicks and the refresh command, and on nothing else.
void TTovForm::R2Click() { m_gutter->Refresh(*m_note); }
void TTovForm::NoteKeyDown() { R2Click(); }
void TTovForm::NoteMouseDown() { R2Click(); }

// A key release alone changes nothing: the document is marked modified by the change of its text (an
// arrow, Esc or the Ctrl+S that saved leave it clean).
void TTovForm::NoteKeyUp() { R2Click(); }

}  // namespace tovel
