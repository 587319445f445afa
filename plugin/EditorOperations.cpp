#include "plugin/EditorOperations.h"

#include "plugin/HostInterface.h"

namespace stem {

namespace {
// The editor fills and reads this record; the plug-in only hands it from one request to the
// next within one operation.
struct CaretPosition {
    int32_t first;
    int32_t second;
};

intptr_t Send(platform::HostWindow window, uint32_t message, uintptr_t wParam, const void* lParam)
{
    return platform::SendToHost(window, message, wParam, reinterpret_cast<intptr_t>(lParam));
}
}  // namespace

int32_t GetCaretOffset(platform::HostWindow window)
{
    CaretPosition position{};
    Send(window, RequestGetCaretPosition, CaretPositionKind, &position);
    return static_cast<int32_t>(Send(window, RequestPositionToOffset, 0, &position));
}

void SetCaretOffset(platform::HostWindow window, int32_t offset)
{
    CaretPosition position{};
    // The offset travels as a 32-bit value, negative ones included.
    Send(window, RequestOffsetToPosition, static_cast<uintptr_t>(static_cast<uint32_t>(offset)),
         &position);
    Send(window, RequestSetCaretPosition, CaretPositionKind, &position);
}

void SelectFromCaret(platform::HostWindow window, int32_t count)
{
    Send(window, RequestSelectLength, static_cast<uintptr_t>(static_cast<uint32_t>(count)),
         nullptr);
}

void InsertText(platform::HostWindow window, const WideString& text)
{
    Send(window, RequestInsertText, 0, text.c_str());
}

void SendRequest802(platform::HostWindow window, uintptr_t value)
{
    Send(window, Request802, value, nullptr);
}

}  // namespace stem
