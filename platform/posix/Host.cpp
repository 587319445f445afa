#include "platform/HostSupport.h"
#include "platform/posix/StandIn.h"

namespace {
int messageBoxAnswer = 6;
standin::MessageBoxCall lastMessageBox;
}  // namespace

namespace platform {

intptr_t SendToHost(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (window == nullptr)
        return 0;
    return static_cast<HostReceiver*>(window)->Receive(message, wParam, lParam);
}

int ShowMessageBox(HostWindow owner, const AnsiString& text, const AnsiString& caption, uint32_t style)
{
    lastMessageBox = {owner, text, caption, style, lastMessageBox.count + 1};
    return messageBoxAnswer;
}

void BoundedCopy(char* dest, const char* source, int size)
{
    if (dest == nullptr || size <= 0)
        return;
    int copied = 0;
    while (copied < size - 1 && source != nullptr && source[copied] != '\0') {
        dest[copied] = source[copied];
        ++copied;
    }
    dest[copied] = '\0';
}

}  // namespace platform

namespace standin {

void SetMessageBoxAnswer(int answer)
{
    messageBoxAnswer = answer;
}

const MessageBoxCall& LastMessageBox()
{
    return lastMessageBox;
}

void ResetMessageBox()
{
    messageBoxAnswer = 6;
    lastMessageBox = {};
}

}  // namespace standin
