#pragma once
// The one way to hand a file, folder, URL or program to the shell. Both report their own failure
// in a plain message and return nothing, so callers never check a result.
#include <string>

#include "platform/system_services.h"
#include "settings/settings_store.h"  // FileExists

namespace tw {

// Opens a file, folder or URL with its default handler.
void OpenDocument(Shell& shell, Dialogs& dialogs, const std::wstring& target);

// Starts a program with one parameter string.
void OpenWithProgram(Shell& shell, Dialogs& dialogs, const std::wstring& program, const std::wstring& parameter);

}  // namespace tw
