#include "platform/Platform.h"
#include "platform/posix/StandIn.h"

namespace stem {

namespace {
bool answerYes = true;
standin::MessageBoxCall lastMessageBox;
}  // namespace

namespace platform {

intptr_t SendToHost(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (window == nullptr)
        return 0;
    return static_cast<HostReceiver*>(window)->Receive(message, wParam, lParam);
}

bool AskYesNo(HostWindow owner, const WideString& text, const WideString& caption)
{
    lastMessageBox = {owner, text, caption, lastMessageBox.count + 1};
    return answerYes;
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

void SetMessageBoxAnswer(bool yes)
{
    answerYes = yes;
}

const MessageBoxCall& LastMessageBox()
{
    return lastMessageBox;
}

void ResetMessageBox()
{
    answerYes = true;
    lastMessageBox = {};
}

}  // namespace standin

}  // namespace stem
