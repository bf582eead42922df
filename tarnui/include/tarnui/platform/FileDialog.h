#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace tarn {

// The desktop's own file dialog, run as a child program (zenity, else kdialog) while this
// thread's messages keep flowing; the owner is disabled meanwhile, as under a modal dialog.
struct FileDialogFilter {
    std::wstring name;    // "Macro (*.xml)"
    std::wstring pattern; // "*.xml"
};

struct FileDialogRequest {
    HWND owner = nullptr;
    bool save = false;    // a save dialog asks before it overwrites a file
    std::wstring title;
    std::vector<FileDialogFilter> filters;
    std::wstring initial; // a folder or a suggested file name
};

enum class FileDialogOutcome { Chosen, Cancelled, NotAvailable };

// NotAvailable when neither program is installed or it could not run (no display, say): the
// caller then shows its own dialog.
TARN_API FileDialogOutcome ShowFileDialog(const FileDialogRequest& request, std::wstring& chosen);

// The program and arguments the dialog runs, found on `searchPath` (a PATH-style list).
struct FileDialogCommand {
    std::string program;
    std::vector<std::string> arguments; // arguments[0] is the program's name
};
TARN_API std::optional<FileDialogCommand> FileDialogCommandFor(const FileDialogRequest& request,
                                                               const std::string& searchPath);

} // namespace tarn
