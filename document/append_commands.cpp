#include "document/append_commands.h"

namespace tovel {

void AppendCommands::MixOpen() {
    const auto chosen = m_fileDialogs.ChooseFileToOpen();
    if (!chosen) return;
    m_list.LoadFromFile(m_files, *chosen);
    m_editor.Add(m_list.Text());
}

void AppendCommands::MixSave() {
    const auto chosen = m_fileDialogs.ChooseFileToSave();
    if (!chosen) return;
    // The file must exist and be read whole (a file holding NUL is refused), or nothing is written.
    m_list.LoadFromFile(m_files, *chosen);
    m_list.Add(m_editor.Text());
    m_list.SaveToFile(m_files, *chosen);
    m_sound.Beep();
    m_dialogs.ShowMessage("追加で保存しました");
}

}  // namespace tovel
