#pragma once
// The tool commands over the fakes, with a fixed clock; Run gives the error a command raises, or "".
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "tests/unit/fake_code_page.h"
#include "tests/unit/fake_text_editor.h"
#include "tools/tool_commands.h"

namespace tovel::test {

class ToolCommandsFixture : public testing::Test {
protected:
    template <class F>
    std::string Run(const std::vector<std::optional<std::string>>& answers, F command) {
        dialogs.typed.assign(answers.begin(), answers.end());
        try {
            command();
        } catch (const Error& e) {
            return e.what();
        }
        return "";
    }

    FakeClipboard clipboard;
    FakeTextEditor editor{clipboard};
    ScriptedDialogs dialogs;
    RecordingBoxes boxes;
    RecordingShell shell;
    TableCodePage codePage;
    RegionalFormats formats;
    LocalTime now{2024, 3, 9, 6, 7, 5, 4};
    ToolCommands tools{{editor, dialogs, boxes, clipboard, shell, codePage}, formats, [this] { return now; }};
};

}  // namespace tovel::test
