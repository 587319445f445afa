// The editing operations built on the editor's window requests. The plug-in never touches the
// document itself: every change goes to the editor window as a synchronous request.
#pragma once

#include <cstdint>

#include "base/Types.h"
#include "platform/Platform.h"

namespace stem {

int32_t GetCaretOffset(platform::HostWindow window);
void SetCaretOffset(platform::HostWindow window, int32_t offset);
void SelectFromCaret(platform::HostWindow window, int32_t count);
// Inserts at the caret, replacing the selection. An empty text is sent as a lone NUL, never as
// a null pointer, so that it still removes the selection.
void InsertText(platform::HostWindow window, const WideString& text);
void SendRequest802(platform::HostWindow window, uintptr_t value);

}  // namespace stem
